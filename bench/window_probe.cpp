// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Watches a program from the X server's side: when its windows appear with content, how much memory it
// holds once its main window shows, and what it burns while left alone. The program under watch is not
// changed in any way: the probe starts it, answers its prompt and greeting, and reads /proc.
//
//   window_probe [--idle SECONDS] [--click X,Y] -- program [args...]
//
// Prints key=value lines: prompt_ms (process start to the name prompt painted), main_ms (the greeting's OK
// to the main window painted), rss_kb (VmRSS half a second after that), cpu_percent (of one core while idle).
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSettle = std::chrono::milliseconds(200);

double msSince(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

[[noreturn]] void fail(const char* why, pid_t child) {
    std::fprintf(stderr, "window_probe: %s\n", why);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::exit(1);
}

struct Display {
    xcb_connection_t* conn;
    xcb_window_t root;
};

// A window counts as on screen once any of its pixels is not black: Qt maps its windows without a
// background, so until the program paints, the window shows the black root of `Xvfb -br` beneath it.
bool hasContent(const Display& x, xcb_window_t window) {
    auto* geometry = xcb_get_geometry_reply(x.conn, xcb_get_geometry(x.conn, window), nullptr);
    if (geometry == nullptr) return false;
    const uint16_t width = geometry->width;
    const uint16_t height = geometry->height;
    std::free(geometry);
    auto* image = xcb_get_image_reply(
        x.conn, xcb_get_image(x.conn, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0U), nullptr);
    if (image == nullptr) return false;
    const int length = xcb_get_image_data_length(image) / 4;
    const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
    bool painted = false;
    for (int i = 0; i < length && !painted; ++i)
        painted = (pixels[i] & 0xFFFFFFU) != 0;
    std::free(image);
    return painted;
}

// Waits for the next top-level window to be mapped and painted; returns it with the moment it was seen so.
std::pair<xcb_window_t, Clock::time_point> nextPaintedWindow(const Display& x, pid_t child) {
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    xcb_window_t mapped = XCB_NONE;
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.conn)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect && mapped == XCB_NONE) mapped = map->window;
            }
            std::free(event);
        }
        if (mapped != XCB_NONE && hasContent(x, mapped)) return {mapped, Clock::now()};
        if (waitpid(child, nullptr, WNOHANG) == child) fail("the program ended before its window showed", -1);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    fail("no window showed within 30 s", child);
}

// Return, sent straight to the window: Qt takes a key for the window it names when no window has the focus.
void pressReturn(const Display& x, xcb_window_t window) {
    const xcb_setup_t* setup = xcb_get_setup(x.conn);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto* mapping = xcb_get_keyboard_mapping_reply(
        x.conn, xcb_get_keyboard_mapping(x.conn, setup->min_keycode, count), nullptr);
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    xcb_keycode_t keycode = 0;
    for (int i = 0; i < count * mapping->keysyms_per_keycode && keycode == 0; ++i)
        if (syms[i] == 0xFF0D)
            keycode = static_cast<xcb_keycode_t>(setup->min_keycode + i / mapping->keysyms_per_keycode);
    std::free(mapping);
    for (const uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
        xcb_key_press_event_t key{};
        key.response_type = type;
        key.detail = keycode;
        key.root = x.root;
        key.event = window;
        key.child = XCB_NONE;
        key.same_screen = 1;
        key.time = XCB_CURRENT_TIME;
        xcb_send_event(x.conn, 0, window,
                       type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                       reinterpret_cast<const char*>(&key));
    }
    xcb_flush(x.conn);
}

long statusField(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    return -1;
}

// utime + stime in clock ticks.
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i)
        fields >> skip;
    long user = 0;
    long system = 0;
    fields >> user >> system;
    return user + system;
}

} // namespace

int main(int argc, char* argv[]) {
    int idleSeconds = 0;
    std::string click;
    int first = 1;
    for (; first < argc && std::strcmp(argv[first], "--") != 0; ++first) {
        if (std::strcmp(argv[first], "--idle") == 0 && first + 1 < argc)
            idleSeconds = std::atoi(argv[++first]);
        else if (std::strcmp(argv[first], "--click") == 0 && first + 1 < argc)
            click = argv[++first];
    }
    if (first + 1 >= argc) {
        std::fprintf(stderr, "usage: window_probe [--idle SECONDS] [--click X,Y] -- program [args...]\n");
        return 2;
    }
    char** program = argv + first + 1;

    Display x{xcb_connect(nullptr, nullptr), XCB_NONE};
    if (xcb_connection_has_error(x.conn)) fail("no X display", -1);
    x.root = xcb_setup_roots_iterator(xcb_get_setup(x.conn)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.conn, x.root, XCB_CW_EVENT_MASK, &mask);
    // A round trip, so the server watches the root before the program starts.
    std::free(xcb_get_input_focus_reply(x.conn, xcb_get_input_focus(x.conn), nullptr));

    const Clock::time_point started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(program[0], program);
        std::_Exit(127);
    }

    const auto [prompt, promptShown] = nextPaintedWindow(x, child);
    std::printf("prompt_ms=%.1f\n", msSince(started, promptShown));
    // A key sent the moment a box is painted can be lost while Qt still sets the box up; a player is slower.
    std::this_thread::sleep_for(kSettle);
    pressReturn(x, prompt);

    const auto [greeting, greetingShown] = nextPaintedWindow(x, child);
    std::this_thread::sleep_for(kSettle);
    const Clock::time_point ok = Clock::now();
    pressReturn(x, greeting);
    const auto [window, windowShown] = nextPaintedWindow(x, child);
    std::printf("main_ms=%.1f\n", msSince(ok, windowShown));

    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::printf("rss_kb=%ld\n", statusField(child, "VmRSS"));
    std::fflush(stdout);

    if (idleSeconds > 0) {
        if (!click.empty()) {
            const std::string command = "xdotool mousemove --window " + std::to_string(window) + " " +
                                        click.substr(0, click.find(',')) + " " +
                                        click.substr(click.find(',') + 1) + " click 1";
            if (std::system(command.c_str()) != 0) fail("xdotool could not click", child);
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long before = cpuTicks(child);
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const long after = cpuTicks(child);
        std::printf("cpu_percent=%.3f\n",
                    100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / idleSeconds);
    }

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x.conn);
    return 0;
}
