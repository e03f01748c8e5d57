// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Layout.h"

#include "Tavola.h"

namespace layout {

namespace {

constexpr BgrColour kCyan = 0x00FFFF00;
constexpr BgrColour kLightCyan = 0x00FFFF80;
constexpr BgrColour kLightYellow = 0x0080FFFF;
constexpr BgrColour kYellow = 0x0000FFFF;
constexpr BgrColour kRed = 0x000000FF;
constexpr BgrColour kGreen = 0x0000C000;
constexpr BgrColour kDarkGreen = 0x00008000;
constexpr BgrColour kBlue = 0x00FF0000;
constexpr BgrColour kPurple = 0x00C000C0;

constexpr Font kWindowFont{};
constexpr Font kTarget{.points = 24, .bold = true};
constexpr Font kBar{.bold = true};
constexpr Font kHeading{.points = 18};
constexpr Font kName{.points = 18, .bold = true};
constexpr Font kFigure{.points = 24};
constexpr Font kMessage{.points = 24, .bold = true, .italic = true};
constexpr Font kFrame{.face = "Times New Roman", .points = 36, .bold = true};
constexpr Font kQuiz{.face = "Arial", .points = 48};
constexpr Font kQuizBold{.face = "Arial", .points = 48, .bold = true};

// clang-format off
constexpr Button kButtons[] = {
    {.name = "paricmd", .caption = "", .left = 2400, .top = 1560, .width = 1215, .height = 1215, .back = kCyan,
     .font = kTarget, .visible = false, .enabled = true, .tabIndex = 20, .pointer = Pointer::FourArrows,
     .slot = &Tavola::paricmd, .onClick = &Tavola::paricmd_Click},
    {.name = "paricmd1", .caption = "", .left = 2880, .top = 4200, .width = 1215, .height = 1215, .back = kCyan,
     .font = kTarget, .visible = false, .enabled = true, .tabIndex = 28,
     .slot = &Tavola::paricmd1, .onClick = &Tavola::paricmd1_Click},
    {.name = "paricmd2", .caption = "", .left = 1560, .top = 6480, .width = 1215, .height = 1215, .back = kCyan,
     .font = kTarget, .visible = false, .enabled = true, .tabIndex = 29,
     .slot = &Tavola::paricmd2, .onClick = &Tavola::paricmd2_Click},
    {.name = "disparicmd", .caption = "", .left = 5760, .top = 1560, .width = 1215, .height = 1215, .back = kCyan,
     .font = kTarget, .visible = false, .enabled = true, .tabIndex = 19,
     .slot = &Tavola::disparicmd, .onClick = &Tavola::disparicmd_Click},
    {.name = "disparicmd1", .caption = "63", .left = 6840, .top = 5160, .width = 1215, .height = 1215, .back = kCyan,
     .font = kTarget, .visible = false, .enabled = true, .tabIndex = 30,
     .slot = &Tavola::disparicmd1, .onClick = &Tavola::disparicmd1_Click},
    {.name = "disparicmd2", .caption = "", .left = 5040, .top = 6840, .width = 1215, .height = 1215, .back = kCyan,
     .font = kTarget, .visible = false, .enabled = true, .tabIndex = 31,
     .slot = &Tavola::disparicmd2, .onClick = &Tavola::disparicmd2_Click},
    {.name = "cmdNext", .caption = "&Clicca per iniziare", .left = 3000, .top = 0, .width = 3210, .height = 735,
     .back = kGreen, .font = kBar, .visible = true, .enabled = false, .tabIndex = 22, .toolTip = "Go",
     .pointer = Pointer::IconPointer, .picture = Picture::Faces,
     .slot = &Tavola::cmdNext, .onClick = &Tavola::cmdNext_Click},
    {.name = "cmdExit", .caption = "E&xit", .left = 6120, .top = 0, .width = 3135, .height = 735, .back = kPurple,
     .font = kBar, .visible = true, .enabled = true, .tabIndex = 23,
     .toolTip = "Ti prego resta ancora, forse riuscirai a farmi uscire ", .picture = Picture::NoEntry,
     .slot = &Tavola::cmdExit, .onClick = &Tavola::cmdExit_Click},
    {.name = "Inizio", .caption = "Inizio", .left = 3840, .top = 120, .width = 1215, .height = 495, .back = {},
     .font = kWindowFont, .visible = false, .enabled = true, .tabIndex = 21, .graphical = false},
};

constexpr Label kLabels[] = {
    {.name = "Label6", .caption = "Punti complessivi", .left = -120, .top = 0, .width = 3135, .height = 735,
     .fore = kLightYellow, .back = kBlue, .opaque = true, .font = kHeading, .border = true, .align = Align::Centre,
     .autoSize = true, .visible = true, .tabIndex = 27},
    {.name = "lblScore", .caption = "", .left = 600, .top = 840, .width = 1215, .height = 975,
     .fore = {}, .back = kYellow, .opaque = false, .font = kFrame, .border = true, .align = Align::Centre,
     .autoSize = false, .visible = true, .tabIndex = 25,
     .toolTip = "Questo è il tuo punteggio. Forza con il  record"},
    {.name = "Punteggio", .caption = "0", .left = 960, .top = 1080, .width = 495, .height = 615,
     .fore = {}, .back = {}, .opaque = false, .font = kFigure, .border = false, .align = Align::Centre,
     .autoSize = true, .visible = true, .tabIndex = 24, .slot = &Tavola::Punteggio},
    {.name = "Label11", .caption = "Tempo restante", .left = 120, .top = 1920, .width = 1575, .height = 375,
     .fore = kYellow, .back = {}, .opaque = false, .font = {.points = 9.75}, .border = false, .align = Align::Left,
     .autoSize = false, .visible = true, .tabIndex = 10},
    {.name = "lblconto", .caption = "00.00.00", .left = 120, .top = 2400, .width = 1575, .height = 495,
     .fore = kYellow, .back = {}, .opaque = false, .font = {.face = "Arial Black", .points = 12, .bold = true},
     .border = true, .align = Align::Left, .autoSize = false, .visible = true, .tabIndex = 11,
     .slot = &Tavola::lblconto},
    {.name = "Label14", .caption = "Sfidante", .left = 135, .top = 4560, .width = 1395, .height = 495,
     .fore = kDarkGreen, .back = {}, .opaque = false, .font = kHeading, .border = true, .align = Align::Centre,
     .autoSize = true, .visible = true, .tabIndex = 13},
    {.name = "lblnome1", .caption = "", .left = 1920, .top = 4560, .width = 120, .height = 435,
     .fore = kDarkGreen, .back = {}, .opaque = false, .font = kName, .border = false, .align = Align::Left,
     .autoSize = true, .visible = true, .tabIndex = 14, .slot = &Tavola::lblnome1},
    {.name = "Label12", .caption = "Il record  è di ", .left = 120, .top = 7920, .width = 2295, .height = 375,
     .fore = kPurple, .back = {}, .opaque = false, .font = kHeading, .border = false, .align = Align::Left,
     .autoSize = false, .visible = true, .tabIndex = 15},
    {.name = "lblnome", .caption = "nome", .left = 2640, .top = 7920, .width = 990, .height = 435,
     .fore = kBlue, .back = {}, .opaque = false, .font = kName, .border = false, .align = Align::Left,
     .autoSize = true, .visible = true, .tabIndex = 16, .slot = &Tavola::lblnome},
    {.name = "Label13", .caption = "con punti", .left = 6720, .top = 7920, .width = 1455, .height = 435,
     .fore = kPurple, .back = {}, .opaque = false, .font = kHeading, .border = false, .align = Align::Left,
     .autoSize = true, .visible = true, .tabIndex = 17},
    {.name = "lblpunti", .caption = "0", .left = 8400, .top = 7800, .width = 270, .height = 555,
     .fore = kPurple, .back = {}, .opaque = false, .font = kFigure, .border = false, .align = Align::Left,
     .autoSize = true, .visible = true, .tabIndex = 18, .slot = &Tavola::lblpunti},
    {.name = "lblMessage", .caption = "", .left = 1560, .top = 3720, .width = 6615, .height = 615,
     .fore = kRed, .back = kCyan, .opaque = false, .font = kMessage, .border = false, .align = Align::Centre,
     .autoSize = false, .visible = false, .tabIndex = 26, .pointer = Pointer::IconPointer,
     .slot = &Tavola::lblMessage},
    {.name = "Label5", .caption = "", .left = 960, .top = 7680, .width = 6615, .height = 615,
     .fore = kRed, .back = kCyan, .opaque = false, .font = kMessage, .border = false, .align = Align::Centre,
     .autoSize = false, .visible = false, .tabIndex = 12, .pointer = Pointer::IconPointer},
    {.name = "Label3", .caption = "Risposte totali", .left = 5640, .top = 3840, .width = 2340, .height = 495,
     .fore = kBlue, .back = {}, .opaque = false, .font = kHeading, .border = true, .align = Align::Left,
     .autoSize = true, .visible = false, .tabIndex = 9},
    {.name = "Label1", .caption = "Risposte errate", .left = 5760, .top = 3120, .width = 2520, .height = 495,
     .fore = kRed, .back = {}, .opaque = false, .font = kHeading, .border = true, .align = Align::Left,
     .autoSize = true, .visible = false, .tabIndex = 8},
    {.name = "lblScore2", .caption = "0", .left = 7560, .top = 2880, .width = 555, .height = 885,
     .fore = kBlue, .back = {}, .opaque = false, .font = kFrame, .border = true, .align = Align::Centre,
     .autoSize = true, .visible = false, .tabIndex = 7},
    {.name = "lblScore1", .caption = "0", .left = 6960, .top = 3600, .width = 540, .height = 885,
     .fore = kRed, .back = {}, .opaque = false, .font = kFrame, .border = true, .align = Align::Centre,
     .autoSize = true, .visible = false, .tabIndex = 0},
    {.name = "lblTime", .caption = "", .left = 8400, .top = 1800, .width = 90, .height = 300,
     .fore = {}, .back = {}, .opaque = true, .font = {.points = 12, .bold = true}, .border = false,
     .align = Align::Left, .autoSize = true, .visible = false, .tabIndex = 6,
     .toolTip = "Clicca sotto di me per attivare il Timer"},
    {.name = "lblNum1", .caption = "", .left = 6840, .top = 1680, .width = 345, .height = 1185,
     .fore = {}, .back = kCyan, .opaque = true, .font = kQuizBold, .border = true, .align = Align::Centre,
     .autoSize = true, .visible = false, .tabIndex = 1, .enabled = false, .slot = &Tavola::lblNum1},
    {.name = "Label2", .caption = "X", .left = 7320, .top = 1800, .width = 615, .height = 975,
     .fore = {}, .back = kLightCyan, .opaque = true, .font = kQuiz, .border = false, .align = Align::Centre,
     .autoSize = false, .visible = false, .tabIndex = 2, .enabled = false},
    {.name = "lblNum2", .caption = "", .left = 7080, .top = 2040, .width = 345, .height = 1185,
     .fore = {}, .back = kCyan, .opaque = true, .font = kQuizBold, .border = true, .align = Align::Centre,
     .autoSize = true, .visible = false, .tabIndex = 5, .enabled = false, .slot = &Tavola::lblNum2},
    {.name = "Label4", .caption = "=", .left = 7320, .top = 2040, .width = 615, .height = 975,
     .fore = {}, .back = kLightCyan, .opaque = true, .font = kQuizBold, .border = false, .align = Align::Centre,
     .autoSize = false, .visible = false, .tabIndex = 3, .enabled = false},
};

constexpr TextBox kTextBox{.name = "txtAnswer", .left = 5520, .top = 1680, .width = 2775, .height = 1200,
                           .back = kCyan, .font = kQuizBold, .visible = false, .enabled = false, .tabIndex = 4,
                           .toolTip = "Inserisci il risultato e  premi il tasto  Invio"};

const TimerRow kTimers[] = {
    {.name = "Timer1", .intervalMs = 1000, .enabled = true, .slot = &Tavola::Timer1, .onTick = &Tavola::Timer1_Timer},
    {.name = "Timer2", .intervalMs = 1300, .enabled = false, .slot = &Tavola::Timer2, .onTick = &Tavola::Timer2_Timer},
};

// The publisher's particulars are made up: the game has no real publisher to name.
constexpr MenuItem kMenu[] = {
    {.name = "INFOMAZIONI", .parent = nullptr, .caption = "www.dorvana.example.org"},
    {.name = "ca", .parent = "INFOMAZIONI", .caption = "Borgo Fittizio (Italia)"},
    {.name = "copy", .parent = nullptr, .caption = "© Elia Inventato e Nora Immaginaria · GNU GPL 3+"},
    {.name = "via", .parent = "copy", .caption = "Via dei Numeri Pari 6, 00000 Borgo Fittizio - giochi@dorvana.example.org"},
    {.name = "Next", .parent = nullptr, .caption = "Nuovo gioco", .onClick = &Tavola::Next_Click},
    {.name = "hf", .parent = nullptr, .caption = "Help"},
    {.name = "Ciao", .parent = "hf", .caption = "Ciao campione, mi raccomando colpisci solo i multipli del 6"},
    {.name = "ok", .parent = "hf", .caption = "Ogni errore  ti farà perdere 4 punti."},
    {.name = "d", .parent = "hf", .caption = "Un numero è divisibile per6 se è divisibile sia per 3 che per 2"},
    {.name = "h", .parent = "hf", .caption = "Es 3102 è divisibile per 6 ed infatti è divisibile per 2 e per 3"},
};
// clang-format on

} // namespace

std::span<const Button> buttons() {
    return kButtons;
}
std::span<const Label> labels() {
    return kLabels;
}
const TextBox& textBox() {
    return kTextBox;
}
std::span<const TimerRow> timers() {
    return kTimers;
}
std::span<const MenuItem> menu() {
    return kMenu;
}

} // namespace layout
