#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

LocalHttpServer::LocalHttpServer()
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0)
        throw std::runtime_error("LocalHttpServer: no socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(listener_);
        throw std::runtime_error("LocalHttpServer: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LocalHttpServer::~LocalHttpServer()
{
    stopping_ = true;
    acceptor_.join();
    for (std::thread& worker : workers_)
        worker.join();
    close(listener_);
}

void LocalHttpServer::AddPage(const std::string& path, std::string body, std::string contentType,
                              std::chrono::milliseconds delay)
{
    std::lock_guard lock(mutex_);
    pages_[path] = Page{std::move(body), std::move(contentType), delay};
}

void LocalHttpServer::AddDownload(const std::string& path, const std::string& fileName, std::string body,
                                  std::size_t chunkSize, std::chrono::milliseconds pause)
{
    std::lock_guard lock(mutex_);
    pages_[path] = Page{std::move(body), "application/octet-stream", std::chrono::milliseconds(0),
                        "Content-Disposition: attachment; filename=\"" + fileName + "\"\r\n", chunkSize, pause};
}

void LocalHttpServer::AddRedirect(const std::string& path, const std::string& location)
{
    std::lock_guard lock(mutex_);
    pages_[path] = Page{"", "text/html", std::chrono::milliseconds(0), "Location: " + location + "\r\n", 0, {},
                        "302 Found"};
}

std::string LocalHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string LocalHttpServer::ClosedPortUrl(const std::string& path)
{
    return LocalHttpServer().Url(path);
}

std::vector<std::string> LocalHttpServer::RequestedPaths() const
{
    std::lock_guard lock(mutex_);
    return log_;
}

bool LocalHttpServer::WasRequested(const std::string& path) const
{
    std::lock_guard lock(mutex_);
    const bool withQuery = path.find('?') != std::string::npos;
    return std::any_of(log_.begin(), log_.end(), [&](const std::string& logged) {
        return (withQuery ? logged : logged.substr(0, logged.find('?'))) == path;
    });
}

bool LocalHttpServer::WasAnswered(const std::string& path) const
{
    if (!WasRequested(path))
        return false;
    std::lock_guard lock(mutex_);
    auto found = unanswered_.find(path);
    return found == unanswered_.end() || found->second == 0;
}

std::string LocalHttpServer::LastRequestHeader(const std::string& path, const std::string& name) const
{
    std::lock_guard lock(mutex_);
    auto found = lastRequestHeads_.find(path);
    if (found == lastRequestHeads_.end())
        return {};
    const std::string& head = found->second;
    for (std::size_t line = head.find("\r\n"); line != std::string::npos; line = head.find("\r\n", line + 2)) {
        const std::size_t start = line + 2;
        const std::size_t end = std::min(head.find("\r\n", start), head.size());
        const std::size_t colon = head.find(':', start);
        if (colon == std::string::npos || colon > end || colon - start != name.size() ||
            !std::equal(name.begin(), name.end(), head.begin() + static_cast<std::ptrdiff_t>(start),
                        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                    std::tolower(static_cast<unsigned char>(b)); }))
            continue;
        std::size_t value = colon + 1;
        while (value < end && head[value] == ' ')
            ++value;
        return head.substr(value, end - value);
    }
    return {};
}

void LocalHttpServer::ClearLog()
{
    std::lock_guard lock(mutex_);
    log_.clear();
}

void LocalHttpServer::AcceptLoop()
{
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        std::lock_guard lock(mutex_);
        workers_.emplace_back([this, client] { Serve(client); });
    }
}

void LocalHttpServer::Serve(int client)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !stopping_) {
        pollfd waiting{client, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t firstSpace = request.find(' ');
    const std::size_t secondSpace = request.find(' ', firstSpace + 1);
    if (firstSpace == std::string::npos || secondSpace == std::string::npos) {
        close(client);
        return;
    }
    const std::string target = request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    const std::string path = target.substr(0, target.find('?'));
    Page page{"<title>Not Found</title>Not Found", "text/html", std::chrono::milliseconds(0)};
    bool found = false;
    {
        std::lock_guard lock(mutex_);
        log_.push_back(target);
        lastRequestHeads_[path] = request.substr(0, request.find("\r\n\r\n"));
        ++unanswered_[path];
        if (auto it = pages_.find(path); it != pages_.end()) {
            page = it->second;
            found = true;
        }
    }
    for (auto waited = std::chrono::milliseconds(0); waited < page.delay && !stopping_;
         waited += std::chrono::milliseconds(20))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::string response = std::string("HTTP/1.1 ") + (found ? page.status : "404 Not Found") +
                           "\r\nContent-Type: " + page.contentType +
                           "\r\nContent-Length: " + std::to_string(page.body.size()) + "\r\n" +
                           page.extraHeaders + "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    const std::size_t headLength = response.size();
    response += page.body;
    std::size_t sent = 0;
    while (sent < response.size() && !stopping_) {
        std::size_t piece = response.size() - sent;
        if (page.chunkSize > 0 && sent >= headLength)
            piece = std::min(piece, page.chunkSize);
        else if (page.chunkSize > 0)
            piece = headLength - sent;
        ssize_t put = send(client, response.data() + sent, piece, MSG_NOSIGNAL);
        if (put <= 0)
            break;
        sent += static_cast<std::size_t>(put);
        if (page.chunkSize > 0 && sent > headLength && sent < response.size())
            std::this_thread::sleep_for(page.pause);
    }
    shutdown(client, SHUT_WR);
    close(client);
    std::lock_guard lock(mutex_);
    --unanswered_[path];
}
