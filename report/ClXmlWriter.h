#pragma once
// Turns the report writer's calls into the bytes of the export file: one line per
// start tag, end tag or element with text, TAB indentation by an explicit depth,
// CR LF line ends, the five XML escapes and nothing else. Text is written as the
// Shift_JIS bytes it is given. The writer keeps no stack of open elements.
//
// Lines and escaped values are built in a buffer that grows as needed, so no value
// is ever cut. Every line reaches the file with one write call and no buffering:
// after a failure all earlier lines are on disk.

#include <string>

#include "framework/CString.h"

class CFile;

class ClXmlWriter {
  public:
    ClXmlWriter() = default;
    ClXmlWriter(const ClXmlWriter&) = delete;
    ClXmlWriter& operator=(const ClXmlWriter&) = delete;
    ~ClXmlWriter();

    // Attaches the caller's file object and opens `outputPath` on it for exclusive writing,
    // creating or truncating the file. 0 when both are given, whether or not the open
    // succeeded (a file that could not be opened fails its first write); -1 otherwise.
    int Open(CFile* outputFile, const char* outputPath);
    // Closes the file when one is attached and detaches it; always 0.
    int Close();

    // One write call with the bytes of `text` up to its NUL. 1 when written; 0 on a
    // failure, after which the file is closed and every later write returns 0.
    int WriteString(const char* text);

    // An attribute is written only when its name and value are both given; the
    // second only when the first is written.
    int WriteStartTag(const char* name, int depth, const char* attrName1 = nullptr,
                      const char* attrValue1 = nullptr, const char* attrName2 = nullptr,
                      const char* attrValue2 = nullptr);
    // Empty or absent text gives <Name></Name>; the self-closing form is never written.
    int WriteElement(const char* name, const char* text, int depth, const char* attrName1 = nullptr,
                     const char* attrValue1 = nullptr, const char* attrName2 = nullptr,
                     const char* attrValue2 = nullptr);
    int WriteEndTag(const char* name, int depth);

    // `text` with & > < " ' replaced by their entity references. Every other byte is
    // kept: the five are below 0x40, so no Shift_JIS double-byte character is touched.
    static CString Escape(const char* text);

  private:
    enum class FileState { Detached, Open, Failed };

    void BeginLine(int depth, const char* opener, const char* name);
    void AppendAttributes(const char* attrName1, const char* attrValue1, const char* attrName2,
                          const char* attrValue2);
    int EndLine(const char* closer);

    CFile* file = nullptr;  // the caller's; opened, written and closed here
    CString path;
    FileState state = FileState::Detached;
    std::string line;  // the line being built, reused
};
