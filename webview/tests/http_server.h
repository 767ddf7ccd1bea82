// A small HTTP server on 127.0.0.1 for the navigation tests: it records every request and
// answers each with one HTML page.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace webview::tests {

struct HttpRequest {
  std::string method;
  std::string path;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::string header(const std::string& name) const;  // case-insensitive; empty when absent
};

class HttpServer {
 public:
  HttpServer();  // listens on an ephemeral port; port() is 0 when that failed
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const;
  std::vector<HttpRequest> requests() const;

 private:
  void serve();
  void handle(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<HttpRequest> requests_;
  std::thread thread_;
};

}  // namespace webview::tests
