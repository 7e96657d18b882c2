#pragma once

// A stand-in server for one test: in this process, on a free loopback port,
// with a fresh test-data folder and count log, stopped when the test ends.

#include "tools/standin/StandinServer.h"

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

namespace standin_test {

class TestServer
{
public:
    TestServer();
    ~TestServer();

    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // A request with the target sent exactly as written (no encoding by the client).
    httplib::Result Get(const std::string& target, int readTimeoutSeconds = 10) const;
    // The body of a GET that must answer 200; empty (and a test failure) otherwise.
    std::string Body(const std::string& target) const;
    // POST of a document with the given content type.
    httplib::Result Post(const std::string& target, const std::string& body, const std::string& type) const;

    int Port() const;
    const std::string& BaseUrl() const;
    const std::string& DataDir() const;
    const std::string& CountLogPath() const;
    void WriteDataFile(const std::string& name, const std::string& content) const;

    // Stops the server and waits for it; true when serving ended without failure.
    bool Stop();

private:
    std::unique_ptr<httplib::Client> Client(int readTimeoutSeconds) const;

    std::string scratch_;
    std::string dataDir_;
    std::string countLog_;
    std::unique_ptr<standin::StandinServer> server_;
    std::thread serving_;
    bool served_ = false;
};

// The escaped UTF-8 bytes of a term, the way the programs send it (every byte
// of 0x80 or above as %XX, ASCII unchanged).
std::string EncodeLikeClient(const std::string& term);

}  // namespace standin_test
