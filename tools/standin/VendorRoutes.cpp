#include "tools/standin/VendorRoutes.h"

#include "tools/standin/Content.h"
#include "tools/standin/CountLog.h"
#include "tools/standin/Site.h"
#include "tools/standin/TextUtil.h"

#include <httplib.h>

namespace standin {

namespace {

struct StaticDocument
{
    const char* path;
    const char* file;  // in the content folder
};

// The content folder mirrors the paths; the extension-less feed and the home
// page get file names that say what they are.
const StaticDocument kStaticDocuments[] = {
    {"/", "index.html"},
    {"/app/stel7/update/update.xml", "app/stel7/update/update.xml"},
    {"/app/stel7/update/stel7_update.exe", "app/stel7/update/stel7_update.exe"},
    {"/app/stel7/advert/config.xml", "app/stel7/advert/config.xml"},
    {"/app/stel7/advert/popup.html", "app/stel7/advert/popup.html"},
    {"/app/stel7/advert/toast.html", "app/stel7/advert/toast.html"},
    {"/app/stel7/config/music.xml", "app/stel7/config/music.xml"},
    {"/app/stel7/config/connection.html", "app/stel7/config/connection.html"},
    {"/zbxe/comedy/rss", "zbxe/comedy/rss.xml"},
};

}  // namespace

void AddVendorRoutes(httplib::Server& server, const Site& site, CountLog& counts)
{
    server.Get("/app/stel7/analytics/request/count\\.php", [&counts](const httplib::Request& request,
                                                                     httplib::Response& response) {
        const std::string_view query = RawQuery(request.target);
        if (!counts.Append(query))
        {
            response.status = 500;
            response.set_content("ERROR count log\n", "text/plain; charset=utf-8");
            return;
        }
        response.set_content(IsKnownCount(query) ? "OK\n" : "ERROR\n", "text/plain; charset=utf-8");
    });

    for (const StaticDocument& document : kStaticDocuments)
    {
        const std::string file = document.file;
        server.Get(ExactPathPattern(document.path), [&site, file](const httplib::Request&, httplib::Response& response) {
            AnswerWithContent(site, file, response);
        });
    }

    server.Get(R"(/zbxe/comedy/(\d{1,6}))", [&site](const httplib::Request& request, httplib::Response& response) {
        // Numbers are matched as written: "/zbxe/comedy/01" is no post.
        const std::string number = request.matches[1];
        const std::string file = "zbxe/comedy/" + number + ".html";
        const std::optional<std::string> page =
            number[0] == '0' ? std::nullopt : ReadContentDocument(site.contentDir, file, site.baseUrl);
        if (!page)
        {
            response.status = 404;
            return;
        }
        response.set_content(*page, ContentTypeFor(file));
    });
}

}  // namespace standin
