#include "FailureSink.h"

#include <utility>

namespace {

TFailureSink& InstalledSink() {
    static TFailureSink sink;
    return sink;
}

}  // namespace

TFailureSink SetFailureSink(TFailureSink sink) {
    return std::exchange(InstalledSink(), std::move(sink));
}

void HandleException(const std::exception_ptr& failure) noexcept {
    try {
        if (const TFailureSink& sink = InstalledSink())
            sink(failure);
    } catch (...) {
        // A failing report has nobody left to report to.
    }
}
