#include "platform/diagnostics.h"

#include <cstdio>
#include <mutex>

namespace tessera {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

std::function<void(const std::string&)>& sink() {
    static std::function<void(const std::string&)> value;
    return value;
}

}  // namespace

void logDiagnostic(const std::string& message) {
    std::lock_guard lock(sinkMutex());
    if (sink())
        sink()(message);
    else
        std::fprintf(stderr, "tessera: %s\n", message.c_str());
}

void setDiagnosticSink(std::function<void(const std::string&)> newSink) {
    std::lock_guard lock(sinkMutex());
    sink() = std::move(newSink);
}

}  // namespace tessera
