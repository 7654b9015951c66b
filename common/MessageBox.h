#pragma once
// The one door for every message of both programs. The GUI layer installs a
// handler that shows a real box; tests install one that records and answers.
#include <functional>
#include <string>

namespace z9 {

// Styles: a button set plus an icon.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

// Results.
enum MsgResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// text and title are ANSI bytes.
using MessageHandler = std::function<int(const std::string& text, int style, const std::string& title)>;

// Shows text with style; an empty title means the program's title. Returns the button pressed.
int MessageBox(const std::string& text, int style = vbOKOnly, const std::string& title = {});

// Installs a handler and returns the previous one; an empty handler restores the
// default, which writes the message to standard error and answers OK (or Cancel/No
// where there is no OK), so nothing ever waits.
MessageHandler SetMessageHandler(MessageHandler handler);

} // namespace z9
