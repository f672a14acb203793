// CString - a text value of the class library.
#pragma once

#include "platform/base/WinTypes.h"

#include <string>

class CString {
public:
    CString() = default;
    CString(LPCSTR text) : text_(text ? text : "") {}
    CString(std::string text) : text_(std::move(text)) {}

    // Loads string resource `nID`; FALSE, with the string left empty, when
    // there is no such string.
    BOOL LoadString(UINT nID);

    int GetLength() const { return static_cast<int>(text_.size()); }
    BOOL IsEmpty() const { return text_.empty() ? TRUE : FALSE; }
    void Empty() { text_.clear(); }
    operator LPCSTR() const { return text_.c_str(); }
    const std::string& str() const { return text_; }

    CString& operator=(LPCSTR text) {
        text_ = text ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other) {
        text_ += other.text_;
        return *this;
    }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.text_ == (b ? b : ""); }

private:
    std::string text_;
};
