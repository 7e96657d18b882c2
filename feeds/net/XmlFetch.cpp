#include "feeds/net/XmlFetch.h"

#include "framework/DiagnosticLog.h"
#include "framework/Handles.h"
#include "framework/TextConvert.h"

#include "feeds/net/CappedRead.h"
#include "feeds/net/Deadline.h"
#include "feeds/net/ReplyLimits.h"

#include <windows.h>
#include <msxml2.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <utility>

namespace {

// mingw's import libraries lack this IID.
constexpr IID kIidXmlDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr DWORD kAnyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
// The feeds are tens of entries. Records, and elements of a flat reading, past
// this count are not read: thousands of rows outlast the deadline, and fill
// the window's lists for minutes.
constexpr long kMostElements = 10000;

template <typename T>
HRESULT CreateByProgId(const wchar_t* progId, REFIID iid, ComPtr<T>& object)
{
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        return hr;
    return CoCreateInstance(clsid, nullptr, kAnyServer, iid,
                            reinterpret_cast<void**>(object.ReleaseAndGetAddressOf()));
}

// The text of a node; "" for no node or no text.
std::string NodeText(IXMLDOMNode* node)
{
    CBstr text;
    if (!node || node->get_text(text.Out()) != S_OK)
        return std::string();
    return WideToCodePage(text.Get(), text.Length());
}

// The element's text, or the text of its attribute-th attribute; "" when the
// element or the attribute is missing.
std::string ValueOf(IXMLDOMNode* element, int attribute)
{
    if (attribute < 0)
        return NodeText(element);
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    if (!element || element->get_attributes(attributes.ReleaseAndGetAddressOf()) != S_OK || !attributes)
        return std::string();
    long count = 0;
    if (FAILED(attributes->get_length(&count)) || attribute >= count)
        return std::string();
    ComPtr<IXMLDOMNode> node;
    if (attributes->get_item(attribute, node.ReleaseAndGetAddressOf()) != S_OK)
        return std::string();
    return NodeText(node.Get());
}

long LengthOf(IXMLDOMNodeList* list)
{
    long length = 0;
    if (!list || FAILED(list->get_length(&length)) || length < 0)
        return 0;
    return length;
}

std::vector<std::string> ReadList(IXMLDOMNodeList* list, int attribute)
{
    std::vector<std::string> values;
    const long length = std::min(LengthOf(list), kMostElements);
    for (long i = 0; i < length; ++i)
    {
        ComPtr<IXMLDOMNode> element;
        if (list->get_item(i, element.ReleaseAndGetAddressOf()) != S_OK)
            break;
        values.push_back(ValueOf(element.Get(), attribute));
    }
    return values;
}

// Elements by qualified name (prefix included, as the document writes it),
// in document order. That is what MSXML's getElementsByTagName matches on
// Windows; Wine's compares local names only, so that "yt:duration" finds
// nothing and "title" also finds "media:title". XPath's name() behaves the
// same on both. A tag that is no XML name (a quote in it) finds nothing.
CBstr DescendantsNamed(const std::string& tag)
{
    return CBstr(L"descendant::*[name()='" + CodePageToWide(tag) + L"']");
}

std::string FirstDescendantValue(IXMLDOMNode* record, const XmlReading& field)
{
    ComPtr<IXMLDOMNode> first;
    if (record->selectSingleNode(DescendantsNamed(field.tag).Get(), first.ReleaseAndGetAddressOf()) != S_OK)
        return std::string();
    return ValueOf(first.Get(), field.attribute);
}

std::vector<std::vector<std::string>> ReadRecords(IXMLDOMNodeList* list, const std::vector<XmlReading>& fields)
{
    std::vector<std::vector<std::string>> records;
    const long length = std::min(LengthOf(list), kMostElements);
    for (long i = 0; i < length; ++i)
    {
        ComPtr<IXMLDOMNode> record;
        if (list->get_item(i, record.ReleaseAndGetAddressOf()) != S_OK)
            break;
        std::vector<std::string> cells;
        for (const XmlReading& field : fields)
            cells.push_back(FirstDescendantValue(record.Get(), field));
        records.push_back(std::move(cells));
    }
    return records;
}

void ReadDocument(IXMLDOMDocument2* document, const XmlRequest& request, XmlResult& result)
{
    for (const XmlReading& reading : request.readings)
    {
        ComPtr<IXMLDOMNodeList> list;
        if (document->selectNodes(DescendantsNamed(reading.tag).Get(), list.ReleaseAndGetAddressOf()) == S_OK)
            result.readings.push_back(ReadList(list.Get(), reading.attribute));
        else
            result.readings.emplace_back();
    }
    if (request.recordTag.empty())
        return;
    ComPtr<IXMLDOMNodeList> list;
    if (document->selectNodes(DescendantsNamed(request.recordTag).Get(), list.ReleaseAndGetAddressOf()) == S_OK)
        result.records = ReadRecords(list.Get(), request.recordFields);
}

HRESULT SetDocumentProperty(IXMLDOMDocument2* document, const wchar_t* name, VARIANT value)
{
    const CBstr property(name);
    return document->setProperty(property.Get(), value);
}

// "Microsoft.XMLDOM" with XPath as its query language (MSXML 3 starts with
// XSL patterns, which have no name()), no DTD and nothing fetched from
// elsewhere while parsing: a document's entities and external references are
// input, and a few lines of them expand into gigabytes or reach other hosts.
HRESULT CreateDocument(ComPtr<IXMLDOMDocument2>& document)
{
    HRESULT hr = CreateByProgId(L"Microsoft.XMLDOM", kIidXmlDomDocument2, document);
    if (FAILED(hr))
        return hr;
    const CBstr xpath(L"XPath");
    VARIANT language;
    VariantInit(&language);
    language.vt = VT_BSTR;
    language.bstrVal = xpath.Get();
    VARIANT prohibit;
    VariantInit(&prohibit);
    prohibit.vt = VT_BOOL;
    prohibit.boolVal = VARIANT_TRUE;
    if (FAILED(hr = SetDocumentProperty(document.Get(), L"SelectionLanguage", language)) ||
        FAILED(hr = SetDocumentProperty(document.Get(), L"ProhibitDTD", prohibit)) ||
        FAILED(hr = document->put_resolveExternals(VARIANT_FALSE)))
        return hr;
    return document->put_validateOnParse(VARIANT_FALSE);
}

// The reply as text, decoded as XMLHTTP's responseText decodes it: UTF-16
// after its byte-order mark, else UTF-8 (without its mark).
std::wstring DecodeReply(const std::string& bytes)
{
    const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)))
    {
        const bool bigEndian = byte(0) == 0xFE;
        std::wstring text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<wchar_t>(bigEndian ? byte(i) << 8 | byte(i + 1) : byte(i + 1) << 8 | byte(i)));
        return text;
    }
    const size_t start = bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF ? 3 : 0;
    return CodePageToWide(bytes.substr(start), CP_UTF8);
}

// Whether the text declares a document type. Only its prolog can: past the
// XML declaration, comments, processing instructions and white space, the
// first markup is the DOCTYPE or the root element, and a DOCTYPE anywhere
// else does not parse. Wine's MSXML takes ProhibitDTD and ignores it (it
// expands an internal DTD's entities all the same), so the DTD is refused
// here, before any parser sees it.
bool DeclaresDocumentType(const std::wstring& text)
{
    static const wchar_t kDoctype[] = L"<!DOCTYPE";
    for (size_t at = text.find(L'<'); at != std::wstring::npos; at = text.find(L'<', at))
    {
        const wchar_t* end = nullptr;
        if (text.compare(at, 4, L"<!--") == 0)
            end = L"-->";
        else if (text.compare(at, 2, L"<?") == 0)
            end = L"?>";
        else
            return _wcsnicmp(text.c_str() + at, kDoctype, lstrlenW(kDoctype)) == 0;
        at = text.find(end, at + 2);
        if (at == std::wstring::npos)
            return false;
        at += lstrlenW(end);
    }
    return false;
}

// The whole fetch, on the calling thread; reading stops once `abandoned` is
// set. Declaration order matters: every COM object is released before the
// apartment is left.
XmlResult FetchOnThisThread(const XmlRequest& request, const std::atomic<bool>& abandoned)
{
    XmlResult result;
    result.requestFailed = true;

    const CComApartment apartment;
    if (!apartment.Entered())
        return result;
    if (request.deleteCacheEntry)
        DeleteUrlCacheEntryA(request.url.c_str());
    // Status and ready state are not looked at: an error page either does not
    // parse or holds none of the document's elements.
    const CappedReply reply = ReadCapped(request.url, kLongestFeedBytes, abandoned);
    if (!reply.received)
        return result;
    // The request went through; from here on a failure is "no document".
    result.requestFailed = false;
    if (reply.tooLarge)
        return result;
    const std::wstring text = DecodeReply(reply.bytes);
    if (DeclaresDocumentType(text))
        return result;
    ComPtr<IXMLDOMDocument2> document;
    if (FAILED(CreateDocument(document)))
        return result;
    if (request.preserveWhiteSpace && FAILED(document->put_preserveWhiteSpace(VARIANT_TRUE)))
        return result;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const CBstr source(text);
    if (!source.Get() || FAILED(document->loadXML(source.Get(), &loaded)) || loaded != VARIANT_TRUE)
        return result;
    result.parsed = true;
    ReadDocument(document.Get(), request, result);
    return result;
}

}  // namespace

XmlResult FetchXml(const XmlRequest& request, unsigned deadlineMs, HANDLE cancel)
{
    // Shared with the fetch thread, which may outlive this call; once the
    // wait is given up, the thread stops reading at its next piece.
    struct Fetch
    {
        std::atomic<bool> abandoned{false};
        XmlResult result;
    };
    const auto fetch = std::make_shared<Fetch>();
    const bool finished =
        RunWithDeadline([fetch, request] { fetch->result = FetchOnThisThread(request, fetch->abandoned); },
                        deadlineMs, cancel);
    if (!finished)
    {
        fetch->abandoned.store(true);
        LogDiagnostic("fetch " + request.url + ": no answer within the deadline, or given up");
        XmlResult timedOut;
        timedOut.requestFailed = true;
        return timedOut;
    }
    if (fetch->result.requestFailed)
        LogDiagnostic("fetch " + request.url + ": the request failed");
    else if (!fetch->result.parsed)
        LogDiagnostic("fetch " + request.url + ": no document (too large, a DTD, or not well-formed)");
    return std::move(fetch->result);
}
