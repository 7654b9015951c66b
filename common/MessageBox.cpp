#include "MessageBox.h"

#include "Program.h"

#include <cstdio>

namespace z9 {
namespace {

int DefaultAnswer(int style) {
    switch (style & 7) {
    case vbOKCancel:
        return vbOK;
    case vbYesNoCancel:
        return vbCancel;
    case vbYesNo:
        return vbNo;
    default:
        return vbOK;
    }
}

int StderrHandler(const std::string& text, int style, const std::string& title) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return DefaultAnswer(style);
}

MessageHandler& Handler() {
    static MessageHandler handler = StderrHandler;
    return handler;
}

} // namespace

int MessageBox(const std::string& text, int style, const std::string& title) {
    return Handler()(text, style, title.empty() ? AppTitle() : title);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = Handler();
    Handler() = handler ? std::move(handler) : MessageHandler(StderrHandler);
    return previous;
}

} // namespace z9
