#include "WinHttpProxy.h"

#include "WinHttpHandle.h"

namespace ostrafel {
namespace {

struct UserProxyConfiguration {
    bool readable = false;
    bool autoDetect = false;
    std::wstring script;
    std::wstring proxy;
    std::wstring bypass;
};

UserProxyConfiguration ReadUserProxyConfiguration(const WinHttpFunctions& winHttp) {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    if (!winHttp.GetIEProxyConfigForCurrentUser(&config))
        return {};
    const UniqueGlobal script(config.lpszAutoConfigUrl);
    const UniqueGlobal proxy(config.lpszProxy);
    const UniqueGlobal bypass(config.lpszProxyBypass);
    return {true, config.fAutoDetect != FALSE, GlobalText(script), GlobalText(proxy), GlobalText(bypass)};
}

// Read once per process: the user's proxy settings do not change under a running request.
const UserProxyConfiguration& UserConfiguration(const WinHttpFunctions& winHttp) {
    static const UserProxyConfiguration configuration = ReadUserProxyConfiguration(winHttp);
    return configuration;
}

ProxyChoice AskAutomaticProxy(const WinHttpFunctions& winHttp, HINTERNET session,
                              const std::wstring& url, const std::wstring& script) {
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (script.empty()) {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = script.c_str();
    }
    WINHTTP_PROXY_INFO info{};
    BOOL found = winHttp.GetProxyForUrl(session, url.c_str(), &options, &info);
    if (!found && GetLastError() == ERROR_WINHTTP_LOGIN_FAILURE) {
        options.fAutoLogonIfChallenged = TRUE;
        found = winHttp.GetProxyForUrl(session, url.c_str(), &options, &info);
    }
    if (!found)
        return {};
    const UniqueGlobal proxy(info.lpszProxy);
    const UniqueGlobal bypass(info.lpszProxyBypass);
    if (info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY || GlobalText(proxy).empty())
        return {};
    return {false, GlobalText(proxy), GlobalText(bypass)};
}

} // namespace

ProxyChoice ChooseProxy(const WinHttpFunctions& winHttp, HINTERNET session,
                        const std::wstring& url) {
    const UserProxyConfiguration& configuration = UserConfiguration(winHttp);
    if (!configuration.readable)
        return AskAutomaticProxy(winHttp, session, url, {});
    if (!configuration.script.empty())
        return AskAutomaticProxy(winHttp, session, url, configuration.script);
    if (configuration.autoDetect)
        return AskAutomaticProxy(winHttp, session, url, {});
    if (!configuration.proxy.empty())
        return {false, configuration.proxy, configuration.bypass};
    return {};
}

} // namespace ostrafel
