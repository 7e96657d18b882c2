#include "tools/standin/tests/TestServer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace standin_test {

TestServer::TestServer()
{
    char pattern[] = "/tmp/standin_test_XXXXXX";
    if (mkdtemp(pattern))
        scratch_ = pattern;
    dataDir_ = scratch_ + "/data";
    countLog_ = scratch_ + "/counts.log";
    std::filesystem::create_directories(dataDir_);

    standin::Options options = standin::DefaultOptions();
    options.port = 0;
    options.dataDir = dataDir_;
    options.countLog = countLog_;
    server_ = std::make_unique<standin::StandinServer>(options);
    std::string error;
    if (!server_->Open(error))
    {
        ADD_FAILURE() << error;
        return;
    }
    serving_ = std::thread([this] { served_ = server_->Run(); });
}

TestServer::~TestServer()
{
    Stop();
    std::error_code ignored;
    if (!scratch_.empty())
        std::filesystem::remove_all(scratch_, ignored);
}

bool TestServer::Stop()
{
    server_->Stop();
    if (serving_.joinable())
        serving_.join();
    return served_;
}

std::unique_ptr<httplib::Client> TestServer::Client(int readTimeoutSeconds) const
{
    auto client = std::make_unique<httplib::Client>("127.0.0.1", Port());
    client->set_url_encode(false);
    client->set_connection_timeout(5);
    client->set_read_timeout(readTimeoutSeconds);
    return client;
}

httplib::Result TestServer::Get(const std::string& target, int readTimeoutSeconds) const
{
    return Client(readTimeoutSeconds)->Get(target);
}

std::string TestServer::Body(const std::string& target) const
{
    const httplib::Result result = Get(target);
    if (!result)
    {
        ADD_FAILURE() << target << ": no answer (" << httplib::to_string(result.error()) << ")";
        return std::string();
    }
    if (result->status != 200)
    {
        ADD_FAILURE() << target << ": status " << result->status;
        return std::string();
    }
    return result->body;
}

httplib::Result TestServer::Post(const std::string& target, const std::string& body, const std::string& type) const
{
    return Client(10)->Post(target, body, type);
}

int TestServer::Port() const
{
    return server_->Port();
}

const std::string& TestServer::BaseUrl() const
{
    return server_->BaseUrl();
}

const std::string& TestServer::DataDir() const
{
    return dataDir_;
}

const std::string& TestServer::CountLogPath() const
{
    return countLog_;
}

void TestServer::WriteDataFile(const std::string& name, const std::string& content) const
{
    std::ofstream(dataDir_ + "/" + name, std::ios::binary) << content;
}

std::string EncodeLikeClient(const std::string& term)
{
    std::string encoded;
    for (unsigned char c : term)
    {
        if (c < 0x80)
        {
            encoded += static_cast<char>(c);
            continue;
        }
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", c);
        encoded += escape;
    }
    return encoded;
}

}  // namespace standin_test
