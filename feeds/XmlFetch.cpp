#include "feeds/XmlFetch.h"

#include "framework/TextConvert.h"

#include "feeds/Deadline.h"

#include <windows.h>
#include <msxml2.h>
#include <shlwapi.h>
#include <wininet.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// mingw's import libraries lack these IIDs.
constexpr IID kIidXmlHttpRequest = {0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};
constexpr IID kIidXmlDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr DWORD kAnyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
// The feeds are kilobytes and tens of entries. A reply past this length is not
// parsed, and records past this count are not read: tens of megabytes or
// thousands of rows outlast the deadline, and an abandoned parse runs on,
// competing with the next fetch.
constexpr UINT kLongestDocumentChars = 8 * 1024 * 1024;
constexpr long kMostRecords = 10000;

// Owns one interface pointer.
template <typename T>
class ComPtr
{
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For an out parameter; drops what was held before.
    T** Out()
    {
        Reset();
        return &pointer_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

private:
    void Reset()
    {
        if (pointer_)
            pointer_->Release();
        pointer_ = nullptr;
    }

    T* pointer_ = nullptr;
};

class Bstr
{
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR Get() const { return text_; }
    BSTR* Out()
    {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }

private:
    BSTR text_ = nullptr;
};

// COM for the fetch thread, left again when the fetch ends.
class Apartment
{
public:
    Apartment() : entered_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~Apartment()
    {
        if (entered_)
            CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

    bool Entered() const { return entered_; }

private:
    bool entered_;
};

// Closes an opened request on every way out; the request has finished by then
// (the send is synchronous), so this only releases its connection.
class AbortOnExit
{
public:
    explicit AbortOnExit(IXMLHTTPRequest* request) : request_(request) {}
    ~AbortOnExit() { request_->abort(); }
    AbortOnExit(const AbortOnExit&) = delete;
    AbortOnExit& operator=(const AbortOnExit&) = delete;

private:
    IXMLHTTPRequest* request_;
};

// XMLHTTP refuses a plain file path (E_INVALIDARG) but reads a file: URL, so a
// path becomes one, with '#', '%' and spaces in folder names escaped.
std::wstring RequestUrl(const std::string& url)
{
    std::wstring wide = CodePageToWide(url);
    if (wide.empty() || PathIsURLW(wide.c_str()))
        return wide;
    // Each character becomes at most a three-character escape.
    DWORD size = static_cast<DWORD>(wide.size() * 3 + 16);
    std::wstring fileUrl(size, L'\0');
    if (UrlCreateFromPathW(wide.c_str(), &fileUrl[0], &size, 0) != S_OK)
        return wide;
    fileUrl.resize(size);
    return fileUrl;
}

template <typename T>
HRESULT CreateByProgId(const wchar_t* progId, REFIID iid, ComPtr<T>& object)
{
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        return hr;
    return CoCreateInstance(clsid, nullptr, kAnyServer, iid, object.OutVoid());
}

// The text of a node; "" for no node or no text.
std::string NodeText(IXMLDOMNode* node)
{
    Bstr text;
    if (!node || node->get_text(text.Out()) != S_OK)
        return std::string();
    return WideToCodePage(text.Get(), SysStringLen(text.Get()));
}

// The element's text, or the text of its attribute-th attribute; "" when the
// element or the attribute is missing.
std::string ValueOf(IXMLDOMNode* element, int attribute)
{
    if (attribute < 0)
        return NodeText(element);
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    if (!element || element->get_attributes(attributes.Out()) != S_OK || !attributes)
        return std::string();
    long count = 0;
    if (FAILED(attributes->get_length(&count)) || attribute >= count)
        return std::string();
    ComPtr<IXMLDOMNode> node;
    if (attributes->get_item(attribute, node.Out()) != S_OK)
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
    const long length = LengthOf(list);
    for (long i = 0; i < length; ++i)
    {
        ComPtr<IXMLDOMNode> element;
        if (list->get_item(i, element.Out()) != S_OK)
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
Bstr DescendantsNamed(const std::string& tag)
{
    return Bstr(L"descendant::*[name()='" + CodePageToWide(tag) + L"']");
}

std::string FirstDescendantValue(IXMLDOMNode* record, const XmlReading& field)
{
    ComPtr<IXMLDOMNode> first;
    if (record->selectSingleNode(DescendantsNamed(field.tag).Get(), first.Out()) != S_OK)
        return std::string();
    return ValueOf(first.Get(), field.attribute);
}

std::vector<std::vector<std::string>> ReadRecords(IXMLDOMNodeList* list, const std::vector<XmlReading>& fields)
{
    std::vector<std::vector<std::string>> records;
    const long length = std::min(LengthOf(list), kMostRecords);
    for (long i = 0; i < length; ++i)
    {
        ComPtr<IXMLDOMNode> record;
        if (list->get_item(i, record.Out()) != S_OK)
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
        if (document->selectNodes(DescendantsNamed(reading.tag).Get(), list.Out()) == S_OK)
            result.readings.push_back(ReadList(list.Get(), reading.attribute));
        else
            result.readings.emplace_back();
    }
    if (request.recordTag.empty())
        return;
    ComPtr<IXMLDOMNodeList> list;
    if (document->selectNodes(DescendantsNamed(request.recordTag).Get(), list.Out()) == S_OK)
        result.records = ReadRecords(list.Get(), request.recordFields);
}

// "Microsoft.XMLDOM" with XPath as its query language (MSXML 3 starts with
// XSL patterns, which have no name()).
HRESULT CreateDocument(ComPtr<IXMLDOMDocument2>& document)
{
    HRESULT hr = CreateByProgId(L"Microsoft.XMLDOM", kIidXmlDomDocument2, document);
    if (FAILED(hr))
        return hr;
    const Bstr property(L"SelectionLanguage");
    const Bstr xpath(L"XPath");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = xpath.Get();
    return document->setProperty(property.Get(), value);
}

// The whole fetch, on the calling thread. Declaration order matters: every
// COM object is released before the apartment is left.
XmlResult FetchOnThisThread(const XmlRequest& request)
{
    XmlResult result;
    result.requestFailed = true;

    const Apartment apartment;
    if (!apartment.Entered())
        return result;
    ComPtr<IXMLHTTPRequest> http;
    if (FAILED(CreateByProgId(L"Microsoft.XMLHTTP", kIidXmlHttpRequest, http)))
        return result;
    if (request.deleteCacheEntry)
        DeleteUrlCacheEntryA(request.url.c_str());

    const Bstr method(L"GET");
    const Bstr url(RequestUrl(request.url));
    VARIANT async;
    VariantInit(&async);
    async.vt = VT_BOOL;
    async.boolVal = VARIANT_FALSE;
    // A string variant holding no string: no user name, no password.
    VARIANT noString;
    VariantInit(&noString);
    noString.vt = VT_BSTR;
    noString.bstrVal = nullptr;
    if (FAILED(http->open(method.Get(), url.Get(), async, noString, noString)))
        return result;
    const AbortOnExit closeRequest(http.Get());
    VARIANT noBody;
    VariantInit(&noBody);
    noBody.vt = VT_ERROR;
    noBody.scode = DISP_E_PARAMNOTFOUND;
    if (FAILED(http->send(noBody)))
        return result;

    // Status and ready state are not looked at: an error page either does not
    // parse or holds none of the document's elements. A failed read leaves an
    // empty text, which does not parse.
    Bstr text;
    http->get_responseText(text.Out());
    // The request went through; from here on a failure is "no document".
    result.requestFailed = false;
    if (SysStringLen(text.Get()) > kLongestDocumentChars)
        return result;
    ComPtr<IXMLDOMDocument2> document;
    if (FAILED(CreateDocument(document)))
        return result;
    if (request.preserveWhiteSpace && FAILED(document->put_preserveWhiteSpace(VARIANT_TRUE)))
        return result;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    // loadXML takes no null string: an empty reply is an empty text.
    const Bstr empty(L"");
    if (FAILED(document->loadXML(text.Get() ? text.Get() : empty.Get(), &loaded)) || loaded != VARIANT_TRUE)
        return result;
    result.parsed = true;
    ReadDocument(document.Get(), request, result);
    return result;
}

}  // namespace

XmlResult FetchXml(const XmlRequest& request, unsigned deadlineMs, HANDLE cancel)
{
    // Shared with the fetch thread, which may outlive this call.
    const auto shared = std::make_shared<XmlResult>();
    const bool finished = RunWithDeadline([shared, request] { *shared = FetchOnThisThread(request); }, deadlineMs, cancel);
    if (!finished)
    {
        XmlResult timedOut;
        timedOut.requestFailed = true;
        return timedOut;
    }
    return std::move(*shared);
}
