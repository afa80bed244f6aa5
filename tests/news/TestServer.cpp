#include "TestServer.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ostrafel::testing_support {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, std::string_view text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

TestServer::TestServer() {
    const char* folder = std::getenv("OSTRAFEL_NEWS_SERVER");
    if (!folder)
        throw std::runtime_error("OSTRAFEL_NEWS_SERVER is not set");
    // Wine shows the Unix root as drive Z:.
    FFolder = std::string("Z:") + folder;
    for (char& c : FFolder)
        if (c == '/')
            c = '\\';
}

std::string TestServer::File(std::string_view name) const {
    return FFolder + '\\' + std::string(name);
}

std::uint16_t TestServer::Port(std::string_view listener) const {
    std::istringstream lines(ReadAll(File("ports")));
    std::string name;
    unsigned port = 0;
    while (lines >> name >> port)
        if (name == listener)
            return static_cast<std::uint16_t>(port);
    throw std::runtime_error("no listener " + std::string(listener));
}

std::string TestServer::Origin(std::string_view listener) const {
    const bool secure = listener.starts_with("https");
    return (secure ? "https://localhost:" : "http://127.0.0.1:") + std::to_string(Port(listener));
}

void TestServer::ScriptRoot(std::string_view path) const {
    WriteAll(File("root"), path);
}
void TestServer::ScriptNews(std::string_view path) const {
    WriteAll(File("news"), path);
}

std::size_t TestServer::LogMark() const {
    std::ifstream file(File("requests.log"), std::ios::binary | std::ios::ate);
    return file ? static_cast<std::size_t>(file.tellg()) : 0;
}

std::vector<LoggedRequest> TestServer::RequestsSince(std::size_t mark) const {
    std::istringstream lines(ReadAll(File("requests.log")).substr(mark));
    std::vector<LoggedRequest> requests;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("REQUEST ")) {
            std::istringstream words(line.substr(8));
            LoggedRequest request;
            words >> request.method >> request.target;
            requests.push_back(request);
        } else if (line.starts_with("H ") && !requests.empty()) {
            const std::size_t colon = line.find(": ");
            requests.back().headers.push_back({line.substr(2, colon - 2), line.substr(colon + 2)});
        }
    }
    return requests;
}

std::string TestServer::AuthorityCertificate() const {
    return ReadAll(File("ca.der"));
}

std::string UrlEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '.' || c == '_' || c == '~') {
            result += c;
        } else {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0xF];
        }
    }
    return result;
}

std::string Hex(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string result;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        result += kHex[byte >> 4];
        result += kHex[byte & 0xF];
    }
    return result;
}

} // namespace ostrafel::testing_support
