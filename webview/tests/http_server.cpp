#include "webview/tests/http_server.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>

namespace webview::tests {

namespace {

constexpr char kPage[] =
    "<html><head><title>Tarvo test page</title></head><body>test page</body></html>";

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t\r");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Waits at most timeoutMs for the socket to become readable.
bool Readable(SOCKET s, int timeoutMs) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) == 1;
}

}  // namespace

std::string HttpRequest::header(const std::string& name) const {
  for (const auto& [key, value] : headers)
    if (Lower(key) == Lower(name)) return value;
  return {};
}

HttpServer::HttpServer() {
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

HttpServer::~HttpServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  WSACleanup();
}

std::string HttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<HttpRequest> HttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void HttpServer::serve() {
  while (!stop_) {
    if (!Readable(listener_, 50)) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    handle(client);
    closesocket(client);
  }
}

void HttpServer::handle(SOCKET client) {
  std::string data;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  size_t headerEnd = std::string::npos;
  size_t wanted = 0;
  char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    if (headerEnd != std::string::npos && data.size() >= headerEnd + 4 + wanted) break;
    if (!Readable(client, 50)) continue;
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    data.append(buffer, size_t(n));
    if (headerEnd == std::string::npos) {
      headerEnd = data.find("\r\n\r\n");
      if (headerEnd != std::string::npos) {
        std::string lower = Lower(data.substr(0, headerEnd));
        size_t at = lower.find("\r\ncontent-length:");
        if (at != std::string::npos) wanted = size_t(std::atoi(lower.c_str() + at + 17));
      }
    }
  }
  if (headerEnd == std::string::npos) return;

  HttpRequest request;
  std::string head = data.substr(0, headerEnd);
  size_t lineEnd = head.find("\r\n");
  std::string first = head.substr(0, lineEnd);
  size_t sp1 = first.find(' '), sp2 = first.rfind(' ');
  request.method = first.substr(0, sp1);
  if (sp1 != std::string::npos && sp2 > sp1) request.path = first.substr(sp1 + 1, sp2 - sp1 - 1);
  size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
  while (pos < head.size()) {
    size_t end = head.find("\r\n", pos);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(pos, end - pos);
    size_t colon = line.find(':');
    if (colon != std::string::npos)
      request.headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
    pos = end + 2;
  }
  request.body = data.substr(headerEnd + 4);
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                         std::to_string(sizeof kPage - 1) + "\r\nConnection: close\r\n\r\n" +
                         kPage;
  send(client, response.data(), int(response.size()), 0);
}

}  // namespace webview::tests
