// The scripted local server of the client tests (news_test_server.py), seen from the
// Windows side under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "HttpTypes.h"

namespace ostrafel::testing_support {

struct LoggedRequest {
    std::string method;
    std::string target;
    HttpHeaders headers;
};

class TestServer {
  public:
    // Reads the folder named by OSTRAFEL_NEWS_SERVER (its ports and files).
    TestServer();

    std::uint16_t Port(std::string_view listener) const; // "http", "https", "silent", ...
    // "http://127.0.0.1:port" or "https://localhost:port".
    std::string Origin(std::string_view listener) const;

    // What "/" and the news path answer, as a server path such as "status/404".
    void ScriptRoot(std::string_view path) const;
    void ScriptNews(std::string_view path) const;

    // The requests logged after mark, a value of LogMark().
    std::size_t LogMark() const;
    std::vector<LoggedRequest> RequestsSince(std::size_t mark) const;

    // The DER bytes of the test certificate authority.
    std::string AuthorityCertificate() const;

  private:
    std::string File(std::string_view name) const;

    std::string FFolder; // Windows path of the server's folder
};

// "a b" -> "a%20b"; every byte outside the unreserved set is encoded.
std::string UrlEncode(std::string_view text);
std::string Hex(std::string_view bytes);

} // namespace ostrafel::testing_support
