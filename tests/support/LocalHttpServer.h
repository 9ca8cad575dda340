#pragma once
// A small HTTP server for tests: listens on 127.0.0.1 on a free port, serves
// the pages it was given from a thread of its own and logs every request.
//
//   LocalHttpServer server;
//   server.AddPage("/a.html", "<title>A</title>");
//   ... navigate to server.Url("/a.html") ...
//   EXPECT_TRUE(server.WasRequested("/a.html"));
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // Serves body at path (without query). A delay holds the answer back, for
    // pages that must still be loading when the test acts.
    void AddPage(const std::string& path, std::string body, std::string contentType = "text/html; charset=utf-8",
                 std::chrono::milliseconds delay = std::chrono::milliseconds(0));

    // Serves body as a file to save (Content-Disposition: attachment), sent in
    // chunks of chunkSize bytes with a pause after each: a slow download.
    void AddDownload(const std::string& path, const std::string& fileName, std::string body,
                     std::size_t chunkSize, std::chrono::milliseconds pause);

    // Answers path with "302 Found" to location.
    void AddRedirect(const std::string& path, const std::string& location);

    int Port() const { return port_; }
    // "http://127.0.0.1:<port><path>"
    std::string Url(const std::string& path) const;
    // An address on 127.0.0.1 whose port nothing listens on any more: its load fails.
    static std::string ClosedPortUrl(const std::string& path);

    // Request paths (with query) in the order they arrived.
    std::vector<std::string> RequestedPaths() const;
    // path without a query matches any query; with one, only that query.
    bool WasRequested(const std::string& path) const;
    // path (without query) was requested and every request for it has been
    // answered: sent whole, or given up because the client went away.
    bool WasAnswered(const std::string& path) const;
    // The value of header name in the last request for path (without query);
    // empty when there was none.
    std::string LastRequestHeader(const std::string& path, const std::string& name) const;
    void ClearLog();

private:
    struct Page {
        std::string body;
        std::string contentType;
        std::chrono::milliseconds delay;
        std::string extraHeaders = {};
        std::size_t chunkSize = 0; // 0: all at once
        std::chrono::milliseconds pause = {};
        std::string status = "200 OK";
    };
    void AcceptLoop();
    void Serve(int client);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Page> pages_;
    std::vector<std::string> log_;
    std::map<std::string, std::string> lastRequestHeads_; // path -> request head
    std::map<std::string, int> unanswered_;                 // path -> requests still being answered
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};
