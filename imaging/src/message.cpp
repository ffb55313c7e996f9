// The warning box. The library cannot open windows itself, so every message goes to a handler
// that the program replaces with a real message box.

#include "zel/imaging.h"

#include <atomic>
#include <cstdio>

namespace zel::imaging {
namespace {

void write_to_stderr(const char* caption, const char* text, MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

std::atomic<MessageHandler> g_handler{&write_to_stderr};

} // namespace

} // namespace zel::imaging

void zel::show_message(const char* caption, const char* text, MessageIcon icon) {
    imaging::g_handler.load()(caption ? caption : "", text ? text : "", icon);
}

zel::MessageHandler zel::set_message_handler(MessageHandler handler) {
    return imaging::g_handler.exchange(handler ? handler : &imaging::write_to_stderr);
}

void vyMessage(const char* text) {
    zel::show_message("Program At-Run-Time Message", text, zel::MessageIcon::warning);
}
