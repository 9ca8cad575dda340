#pragma once
// A small HTTPS server for tests: listens on 127.0.0.1 on a free port with a
// self-signed certificate for 127.0.0.1 (no authority trusts it), answers
// every request that completes the handshake with one fixed page, and counts
// handshakes and pages served.
#include <gio/gio.h>

#include <atomic>
#include <string>
#include <thread>

class LocalTlsServer {
public:
    explicit LocalTlsServer(std::string page);
    ~LocalTlsServer();
    LocalTlsServer(const LocalTlsServer&) = delete;
    LocalTlsServer& operator=(const LocalTlsServer&) = delete;

    // "https://127.0.0.1:<port><path>"
    std::string Url(const std::string& path) const;
    int PagesServed() const { return served_; }

private:
    void AcceptLoop();
    void Serve(GSocketConnection* connection);

    std::string page_;
    GTlsCertificate* certificate_ = nullptr;
    GSocketListener* listener_ = nullptr;
    GCancellable* stopping_ = nullptr;
    int port_ = 0;
    std::atomic<int> served_{0};
    std::thread acceptor_;
};
