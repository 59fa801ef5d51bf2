#pragma once
// A byte string in the program's own multibyte code page (Shift_JIS), with the
// subset of the familiar CString interface that the program uses.

#include <cstdarg>
#include <string>

class CString {
  public:
    CString() = default;
    CString(const char* text) : bytes_(text ? text : "") {}
    CString(const char* text, int length) : bytes_(text, static_cast<size_t>(length)) {}
    CString(std::string bytes) : bytes_(std::move(bytes)) {}

    int GetLength() const { return static_cast<int>(bytes_.size()); }
    bool IsEmpty() const { return bytes_.empty(); }
    void Empty() { bytes_.clear(); }

    operator const char*() const { return bytes_.c_str(); }
    const char* GetString() const { return bytes_.c_str(); }
    const std::string& str() const { return bytes_; }
    char GetAt(int index) const { return bytes_[static_cast<size_t>(index)]; }

    CString& operator=(const char* text) {
        bytes_ = text ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other) {
        bytes_ += other.bytes_;
        return *this;
    }
    CString& operator+=(const char* text) {
        bytes_ += text ? text : "";
        return *this;
    }
    CString& operator+=(char ch) {
        bytes_ += ch;
        return *this;
    }
    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend CString operator+(CString left, const char* right) { return left += right; }
    friend bool operator==(const CString& a, const CString& b) { return a.bytes_ == b.bytes_; }
    friend bool operator==(const CString& a, const char* b) { return a.bytes_ == (b ? b : ""); }

    // Byte positions; -1 when not found. These are byte searches: callers that look for
    // an ASCII byte inside Shift_JIS text use the double-byte aware helpers instead.
    int Find(char ch, int start = 0) const { return ToIndex(bytes_.find(ch, Clamp(start))); }
    int Find(const char* sub, int start = 0) const {
        return ToIndex(bytes_.find(sub, Clamp(start)));
    }
    int ReverseFind(char ch) const { return ToIndex(bytes_.rfind(ch)); }

    CString Left(int count) const { return bytes_.substr(0, Clamp(count)); }
    CString Mid(int first) const {
        return Clamp(first) < bytes_.size() ? bytes_.substr(Clamp(first)) : std::string();
    }
    CString Mid(int first, int count) const {
        return Clamp(first) < bytes_.size() ? bytes_.substr(Clamp(first), Clamp(count))
                                            : std::string();
    }
    CString Right(int count) const {
        size_t n = Clamp(count) < bytes_.size() ? Clamp(count) : bytes_.size();
        return bytes_.substr(bytes_.size() - n);
    }

    // printf-style formatting into this string; the result has no length limit.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

  private:
    static size_t Clamp(int value) { return value < 0 ? 0 : static_cast<size_t>(value); }
    static int ToIndex(size_t pos) { return pos == std::string::npos ? -1 : static_cast<int>(pos); }

    std::string bytes_;
};
