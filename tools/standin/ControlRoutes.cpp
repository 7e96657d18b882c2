#include "tools/standin/ControlRoutes.h"

#include "tools/standin/Content.h"
#include "tools/standin/DocOverrides.h"
#include "tools/standin/Faults.h"
#include "tools/standin/HoldGate.h"
#include "tools/standin/RequestLog.h"
#include "tools/standin/Site.h"
#include "tools/standin/TextUtil.h"

#include <httplib.h>

namespace standin {

namespace {

constexpr const char kText[] = "text/plain; charset=utf-8";
constexpr int kLongestSlowSeconds = 300;
constexpr int kDefaultSlowSeconds = 5;

void Answer(httplib::Response& response, int status, const std::string& text)
{
    response.status = status;
    response.set_content(text + "\n", kText);
}

// The path a fault or an override is for: one the stand-in serves, not a control.
std::optional<std::string> TargetPath(const httplib::Request& request, httplib::Response& response)
{
    std::optional<std::string> path = QueryValue(RawQuery(request.target), "path");
    if (!path || path->empty() || (*path)[0] != '/' || path->rfind(kControlPrefix, 0) == 0)
    {
        Answer(response, 400, "ERROR path wants a served path starting with /, not a control");
        return std::nullopt;
    }
    return path;
}

// A test document's name: relative and inside the data folder.
bool IsDataFileName(const std::string& name)
{
    if (name.empty() || name[0] == '/' || name.find('\0') != std::string::npos)
        return false;
    for (const std::string& part : Split(name, '/'))
    {
        if (part.empty() || part == "..")
            return false;
    }
    return true;
}

// A posted document's type follows its path; a path without an extension
// (a feed such as /zbxe/comedy/rss) is taken as XML.
std::string PostedContentType(const std::string& path)
{
    const std::string last = path.substr(path.find_last_of('/') + 1);
    return ContentTypeFor(last.find('.') == std::string::npos ? last + ".xml" : last);
}

void SetFault(const Controls& controls, const httplib::Request& request, httplib::Response& response)
{
    const std::optional<std::string> path = TargetPath(request, response);
    if (!path)
        return;
    const std::string_view query = RawQuery(request.target);
    const std::optional<std::string> word = QueryValue(query, "mode");
    const std::optional<FaultMode> mode = word ? ParseFaultMode(*word) : std::nullopt;
    if (!mode)
    {
        Answer(response, 400, "ERROR mode wants none, html, malformed, empty, 404, hang, slow, close, trickle, stall, short, "
                         "nolength or endless");
        return;
    }
    Fault fault{*mode, kDefaultSlowSeconds};
    if (const std::optional<std::string> seconds = QueryValue(query, "seconds"))
    {
        const std::optional<long long> value = ParseCount(*seconds);
        if (!value || *value > kLongestSlowSeconds)
        {
            Answer(response, 400, "ERROR seconds wants 0 to 300");
            return;
        }
        fault.seconds = static_cast<int>(*value);
    }
    controls.faults.Set(*path, fault);
    Answer(response, 200, "OK");
}

void SetDocumentFromFile(const Controls& controls, const httplib::Request& request, httplib::Response& response)
{
    const std::optional<std::string> path = TargetPath(request, response);
    if (!path)
        return;
    const std::optional<std::string> name = QueryValue(RawQuery(request.target), "file");
    if (!name)
    {
        controls.documents.Remove(*path);
        Answer(response, 200, "OK");
        return;
    }
    if (controls.site.dataDir.empty())
    {
        Answer(response, 400, "ERROR no --data folder was given");
        return;
    }
    if (!IsDataFileName(*name))
    {
        Answer(response, 400, "ERROR file wants a relative name inside the data folder");
        return;
    }
    // Read now, so a missing file fails the control rather than a later request.
    std::optional<std::string> body = ReadWholeFile(controls.site.dataDir + "/" + *name);
    if (!body)
    {
        Answer(response, 404, "ERROR cannot read " + *name);
        return;
    }
    controls.documents.Set(*path, Document{std::move(*body), ContentTypeFor(*name)});
    Answer(response, 200, "OK");
}

}  // namespace

void AddControlRoutes(httplib::Server& server, Controls controls)
{
    server.Get("/__standin/log", [controls](const httplib::Request&, httplib::Response& response) {
        response.set_content(controls.log.Text(), kText);
    });
    server.Get("/__standin/clear", [controls](const httplib::Request&, httplib::Response& response) {
        controls.log.Clear();
        Answer(response, 200, "OK");
    });
    server.Get("/__standin/reset", [controls](const httplib::Request&, httplib::Response& response) {
        controls.faults.Clear();
        controls.documents.Clear();
        controls.log.Clear();
        controls.gate.ReleaseAll();
        Answer(response, 200, "OK");
    });
    server.Get("/__standin/fault", [controls](const httplib::Request& request, httplib::Response& response) {
        SetFault(controls, request, response);
    });
    server.Get("/__standin/doc", [controls](const httplib::Request& request, httplib::Response& response) {
        SetDocumentFromFile(controls, request, response);
    });
    server.Post("/__standin/doc", [controls](const httplib::Request& request, httplib::Response& response) {
        const std::optional<std::string> path = TargetPath(request, response);
        if (!path)
            return;
        controls.documents.Set(*path, Document{request.body, PostedContentType(*path)});
        Answer(response, 200, "OK");
    });
}

}  // namespace standin
