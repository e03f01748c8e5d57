// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up and memory: the prompt, the greeting box and a plain window of the game's size,
// with nothing of the game behind them.
#include <QApplication>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QInputDialog prompt;
    prompt.setWindowTitle("Dorvana");
    prompt.setLabelText("Come ti chiami?");
    prompt.exec();
    QMessageBox greeting;
    greeting.setWindowTitle("Dorvana");
    greeting.setText(" " + prompt.textValue() + " vediamo se sei un vero campione  ");
    greeting.exec();
    QMainWindow window;
    auto* client = new QWidget;
    client->setFixedSize(608, 672);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
