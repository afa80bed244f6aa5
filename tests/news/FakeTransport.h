// A transport that answers from a table of URLs and records every request.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "HttpClient.h"

namespace ostrafel::testing_support {

class FakeTransport : public HttpTransport {
  public:
    // Answers for a URL (without fragment); a URL without an answer is refused.
    std::map<std::string, HttpResponse> routes;
    std::vector<HttpRequest> requests;

    HttpResponse Send(const HttpRequest& request) override {
        requests.push_back(request);
        const auto route = routes.find(ToString(request.url));
        if (route == routes.end())
            throw HttpError("connection refused");
        HttpResponse response = route->second;
        if (request.method == "HEAD")
            response.body.clear();
        return response;
    }
};

// A client over a fake transport at a fixed time; the fake stays reachable.
struct FakeClient {
    FakeClient() : client(MakeTransport(), [] { return UnixSeconds{1'700'000'000}; }) {}

    FakeTransport* fake = nullptr;
    THTTPClient client;

  private:
    std::unique_ptr<HttpTransport> MakeTransport() {
        auto transport = std::make_unique<FakeTransport>();
        fake = transport.get();
        return transport;
    }
};

inline HttpResponse Redirect(int status, std::string location, HttpHeaders extra = {}) {
    extra.push_back({"Location", std::move(location)});
    return {status, std::move(extra), ""};
}

} // namespace ostrafel::testing_support
