# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: awk -f wayland_flash.awk probe-output compositor-log
# Pairs each hit that bench/flash_probe made on Wayland (its start and end on the protocol log's clock) with the
# compositor's surface commits (weston's WAYLAND_DEBUG=server log): the flash's commit, made inside the hit, and
# the next one, the hide or the warning box. Prints a line per hit: its colour and how long the flash stood
# committed, in ms, or "none" when no commit fell inside the hit.
FNR == NR {
  if (/_hit_log_ms=/) {
    split($0, field, "=")
    split(field[2], t, " ")
    name[++n] = substr(field[1], 1, index(field[1], "_") - 1)
    began[n] = t[1]
    ended[n] = t[2]
  }
  next
}
/wl_surface[@#][0-9]+\.commit\(\)/ && !/->/ { match($0, /[0-9]+\.[0-9]+/); commit[++m] = substr($0, RSTART, RLENGTH) + 0 }
END {
  for (i = 1; i <= n; i++) {
    flash = ""
    after = ""
    for (j = 1; j <= m; j++) {
      if (flash == "" && commit[j] >= began[i] && commit[j] <= ended[i]) flash = commit[j]
      if (commit[j] > ended[i]) { after = commit[j]; break }
    }
    if (flash != "" && after != "") printf "%s %.1f\n", name[i], after - flash
    else printf "%s none\n", name[i]
  }
}
