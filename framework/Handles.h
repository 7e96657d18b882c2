#pragma once

// Owners of what the platform hands out and must be given back: kernel and
// file handles, GDI objects, COM interface pointers and BSTRs, and a thread's
// COM apartment. Each frees what it holds exactly once, when it goes or is
// reset; none can be copied. Libraries with handles of their own (WinInet,
// WinHTTP) give CUniqueHandle traits of their own.

#include <windows.h>

#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <utility>

// Traits: `Type`, `Invalid()` and `Close(Type)`, which is only given a valid value.
template <typename Traits>
class CUniqueHandle {
public:
    using Type = typename Traits::Type;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Type handle) : m_handle(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Type Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    // Frees what was held and holds `handle` instead.
    void Reset(Type handle = Traits::Invalid())
    {
        if (IsValid()) Traits::Close(m_handle);
        m_handle = handle;
    }
    // Lets go without freeing.
    Type Detach() { return std::exchange(m_handle, Traits::Invalid()); }

private:
    Type m_handle = Traits::Invalid();
};

// Events, mutexes, timers, threads: null when there is none.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type handle) { ::CloseHandle(handle); }
};
using CKernelHandle = CUniqueHandle<KernelHandleTraits>;

// CreateFile's handles: INVALID_HANDLE_VALUE when there is none.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { ::CloseHandle(handle); }
};
using CFileHandle = CUniqueHandle<FileHandleTraits>;

// A GDI object that is selected into no device context when it goes.
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type object) { ::DeleteObject(object); }
};
using CGdiObject = CUniqueHandle<GdiObjectTraits>;

// Interface pointers: WRL's, so that there is one kind in the tree.
using Microsoft::WRL::ComPtr;

// Owns one BSTR.
class CBstr {
public:
    CBstr() = default;
    explicit CBstr(const std::wstring& text)
        : m_text(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
    }
    ~CBstr() { ::SysFreeString(m_text); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    BSTR Get() const { return m_text; }
    UINT Length() const { return ::SysStringLen(m_text); }
    // For an out parameter; frees what was held before.
    BSTR* Out()
    {
        ::SysFreeString(m_text);
        m_text = nullptr;
        return &m_text;
    }

private:
    BSTR m_text = nullptr;
};

// COM on the calling thread for the owner's lifetime (a single-threaded apartment).
class CComApartment {
public:
    CComApartment() : m_bEntered(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~CComApartment()
    {
        if (m_bEntered) ::CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    bool Entered() const { return m_bEntered; }

private:
    bool m_bEntered;
};
