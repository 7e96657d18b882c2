#pragma once

// The remote XML fetch: one GET, its reply read with a cap (CappedRead.h),
// parsed by MSXML's "Microsoft.XMLDOM" with no DTD and nothing resolved from
// elsewhere, and the values the feed wants read out as CP949 text. Every
// document the programs read comes through here.

#include <windows.h>

#include <string>
#include <vector>

struct XmlReading
{
    // The qualified name as the document writes it, e.g. "yt:duration"; so
    // "title" never finds "media:title".
    std::string tag;
    int attribute = -1;  // -1: the element's text; k >= 0: the text of its k-th attribute (document order)
};

struct XmlRequest
{
    // An http(s) URL, or a local file path (the channel feed's downloaded copy).
    std::string url;
    // Drops the platform browser's cached copy of the URL first; the fetch
    // itself never reads or fills a cache.
    bool deleteCacheEntry = false;
    // Texts as the document writes them; by default the parser trims the
    // white space around each (MSXML's preserveWhiteSpace).
    bool preserveWhiteSpace = false;
    // Flat readings: every element of a tag name, in document order, the
    // first 10,000 at most.
    std::vector<XmlReading> readings;
    // Record reading: for each element named recordTag (the first 10,000 at
    // most), its first descendant of each field's tag; empty recordTag reads
    // no records.
    std::string recordTag;
    std::vector<XmlReading> recordFields;
};

struct XmlResult
{
    bool requestFailed = false;  // the request object could not be made, open or send failed, or the deadline passed
    // The reply parsed as XML: false also for a reply past kLongestFeedBytes
    // and for a document that declares a document type (a DTD).
    bool parsed = false;
    // One list per reading, one value per element. An attribute reading gives
    // "" for an element without that attribute, so the lists of one document
    // stay aligned with its elements.
    std::vector<std::vector<std::string>> readings;
    // One row per record element, one cell per field; "" for a missing
    // descendant or attribute.
    std::vector<std::vector<std::string>> records;

    // The value of the last element of a reading (where the last occurrence
    // wins, as in the update document); "" when there is none.
    std::string Last(size_t reading) const
    {
        return reading < readings.size() && !readings[reading].empty() ? readings[reading].back() : std::string();
    }
};

// Runs the whole fetch on a thread of its own, which enters COM and owns every
// COM object, and waits at most `deadlineMs` for it, or until `cancel` is
// signalled (see RunWithDeadline); both count as a failed request, and the
// thread stops reading the reply at its next piece.
// The HTTP status is not examined: an error page is a reply that does not
// parse or, when it happens to be well-formed, one without the document's
// elements (but with its own, such as <title>). When the request failed or
// the reply did not parse, readings and records are empty. Values are
// converted with the ANSI code page's default conversion; a character outside
// it becomes the code page's default character.
XmlResult FetchXml(const XmlRequest& request, unsigned deadlineMs, HANDLE cancel = nullptr);
