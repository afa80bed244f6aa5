#include "WinHttpTransport.h"

#include <array>
#include <chrono>
#include <optional>

#include "WinHttpHandle.h"
#include "WinHttpLibrary.h"
#include "WinHttpProxy.h"

namespace ostrafel {
namespace {

// The platform may ask for a request to be sent again (authentication, a client
// certificate); a server cannot make it ask forever.
constexpr int kMaxSendAttempts = 8;

void CALLBACK OnSecureFailure(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information,
                              DWORD length) {
    if (status == WINHTTP_CALLBACK_STATUS_SECURE_FAILURE && context != 0 && information &&
        length >= sizeof(DWORD))
        *reinterpret_cast<DWORD*>(context) = *static_cast<const DWORD*>(information);
}

class TWinHttpTransport final : public HttpTransport {
  public:
    TWinHttpTransport(const HttpLimits& limits, std::wstring library)
        : FLimits(limits), FLibraryName(std::move(library)) {}

    HttpResponse Send(const HttpRequest& request) override {
        OpenSession();
        const TInternetHandle connection(
            Api().Connect(FSession.get(), Widen(request.url.host).c_str(), request.url.port, 0),
            InternetHandleTraits{Api().CloseHandle});
        if (!connection)
            ThrowWinHttpError("WinHttpConnect");
        const TInternetHandle handle(
            Api().OpenRequest(connection.get(), Widen(request.method).c_str(),
                              Widen(RequestTarget(request.url)).c_str(), nullptr,
                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                              request.url.secure ? WINHTTP_FLAG_SECURE : 0),
            InternetHandleTraits{Api().CloseHandle});
        if (!handle)
            ThrowWinHttpError("WinHttpOpenRequest");
        DWORD secureFailure = 0;
        Configure(handle.get(), request, secureFailure);
        SendAndReceive(handle.get(), secureFailure);

        HttpResponse response;
        response.status = static_cast<int>(QueryStatus(handle.get()));
        response.headers = ParseRawHeaders(QueryRawHeaders(handle.get()));
        if (request.method != "HEAD")
            response.body = ReadBody(handle.get());
        return response;
    }

  private:
    const WinHttpFunctions& Api() const { return FLibrary->Functions(); }

    // The library is loaded and the session opened at the first request, so that
    // making the client never fails and costs nothing at start-up; a library or
    // session that cannot be had fails that exchange only, and the next one tries
    // again.
    void OpenSession() {
        if (FSession)
            return;
        if (!FLibrary)
            FLibrary.emplace(FLibraryName);
        FSession = TInternetHandle(Api().Open(L"", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                              WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0),
                                   InternetHandleTraits{Api().CloseHandle});
        if (!FSession)
            ThrowWinHttpError("WinHttpOpen");
        Api().SetStatusCallback(FSession.get(), OnSecureFailure,
                                WINHTTP_CALLBACK_FLAG_SECURE_FAILURE, 0);
    }

    void SetOption(HINTERNET handle, DWORD option, void* value, DWORD size) const {
        if (!Api().SetOption(handle, option, value, size))
            ThrowWinHttpError("WinHttpSetOption");
    }

    void SetNumberOption(HINTERNET handle, DWORD option, DWORD value) const {
        SetOption(handle, option, &value, sizeof(value));
    }

    void Configure(HINTERNET handle, const HttpRequest& request, DWORD& secureFailure) {
        if (!Api().SetTimeouts(handle, FLimits.resolveMs, FLimits.connectMs, FLimits.sendMs,
                               FLimits.receiveMs))
            ThrowWinHttpError("WinHttpSetTimeouts");
        // Also bounds the wait for the response head, which is not covered by the above.
        SetNumberOption(handle, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT,
                        static_cast<DWORD>(FLimits.receiveMs));
        DWORD_PTR context = reinterpret_cast<DWORD_PTR>(&secureFailure);
        SetOption(handle, WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof(context));
        SetNumberOption(handle, WINHTTP_OPTION_DISABLE_FEATURE,
                        WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_COOKIES);
        SetNumberOption(handle, WINHTTP_OPTION_AUTOLOGON_POLICY,
                        WINHTTP_AUTOLOGON_SECURITY_LEVEL_MEDIUM);
        ProxyChoice proxy = ChooseProxy(Api(), FSession.get(), Widen(ToString(request.url)));
        if (!proxy.direct) {
            WINHTTP_PROXY_INFO info{WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.proxy.data(),
                                    proxy.bypass.empty() ? nullptr : proxy.bypass.data()};
            SetOption(handle, WINHTTP_OPTION_PROXY, &info, sizeof(info));
        }
        std::string lines;
        for (const HttpHeader& header : request.headers)
            lines += header.name + ": " + header.value + "\r\n";
        if (!Api().AddRequestHeaders(handle, Widen(lines).c_str(), static_cast<DWORD>(-1L),
                                     WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE))
            ThrowWinHttpError("WinHttpAddRequestHeaders");
    }

    void SendAndReceive(HINTERNET handle, const DWORD& secureFailure) const {
        for (int attempt = 0; attempt < kMaxSendAttempts; ++attempt) {
            if (Api().SendRequest(handle, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                                  0, 0, 0) &&
                Api().ReceiveResponse(handle, nullptr))
                return;
            const DWORD error = GetLastError();
            if (error == ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED)
                SetOption(handle, WINHTTP_OPTION_CLIENT_CERT_CONTEXT,
                          WINHTTP_NO_CLIENT_CERT_CONTEXT, 0);
            else if (error == ERROR_WINHTTP_SECURE_FAILURE)
                throw HttpError("the server's certificate was rejected (flags " +
                                std::to_string(secureFailure) + ")");
            else if (error != ERROR_WINHTTP_RESEND_REQUEST)
                ThrowWinHttpError("WinHttpSendRequest", error);
        }
        throw HttpError("the request had to be sent again too often");
    }

    DWORD QueryStatus(HINTERNET handle) const {
        DWORD status = 0;
        DWORD size = sizeof(status);
        if (!Api().QueryHeaders(handle, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                                WINHTTP_NO_HEADER_INDEX))
            ThrowWinHttpError("WinHttpQueryHeaders");
        return status;
    }

    std::string QueryRawHeaders(HINTERNET handle) const {
        DWORD size = 0;
        Api().QueryHeaders(handle, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                           WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            ThrowWinHttpError("WinHttpQueryHeaders");
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        if (!Api().QueryHeaders(handle, WINHTTP_QUERY_RAW_HEADERS_CRLF,
                                WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                                WINHTTP_NO_HEADER_INDEX))
            ThrowWinHttpError("WinHttpQueryHeaders");
        text.resize(size / sizeof(wchar_t));
        return Narrow(text);
    }

    std::string ReadBody(HINTERNET handle) const {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(FLimits.receiveMs);
        std::array<char, 1 << 16> buffer;
        std::string body;
        while (true) {
            DWORD available = 0;
            if (!Api().QueryDataAvailable(handle, &available))
                ThrowWinHttpError("WinHttpQueryDataAvailable");
            if (available == 0)
                return body;
            DWORD read = 0;
            const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
            if (!Api().ReadData(handle, buffer.data(), wanted, &read))
                ThrowWinHttpError("WinHttpReadData");
            if (read == 0)
                return body;
            AppendBodyPiece(body, std::string_view(buffer.data(), read));
            if (std::chrono::steady_clock::now() > deadline)
                throw HttpError("the response body took too long");
        }
    }

    HttpLimits FLimits;
    std::wstring FLibraryName;
    std::optional<TWinHttpLibrary> FLibrary; // outlives the session
    TInternetHandle FSession;
};

} // namespace

std::unique_ptr<HttpTransport> MakeWinHttpTransport(const HttpLimits& limits,
                                                    std::wstring library) {
    return std::make_unique<TWinHttpTransport>(limits, std::move(library));
}

THTTPClient MakeWinHttpClient(const HttpLimits& limits, std::wstring library) {
    return THTTPClient(MakeWinHttpTransport(limits, std::move(library)));
}

} // namespace ostrafel
