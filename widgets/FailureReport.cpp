#include "FailureReport.h"

#include "Exceptions.h"

namespace {

std::wstring MessageOf(const std::exception& failure) {
    if (const auto* own = dynamic_cast<const Exception*>(&failure))
        return own->Message();
    return Utf8ToWide(failure.what());
}

std::wstring InnermostMessage(const std::exception& failure) {
    try {
        std::rethrow_if_nested(failure);
    } catch (const std::exception& inner) {
        return InnermostMessage(inner);
    } catch (...) {
        return MessageOf(failure);
    }
    return MessageOf(failure);
}

}  // namespace

std::optional<std::wstring> FailureReportText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        return std::nullopt;
    } catch (const std::exception& error) {
        return WithFullStop(InnermostMessage(error));
    } catch (...) {
        return WithFullStop(L"Unexpected failure");
    }
}

std::wstring WithFullStop(std::wstring text) {
    if (!text.empty() && text.back() > L'.')
        text += L'.';
    return text;
}
