#pragma once

// A streaming XML reader over expat for the parts of a workbook: the caller feeds the
// part in chunks as it unpacks, so that a large sheet never sits in memory as text.
//
// Element and attribute names reach the handler without their namespace prefix
// ("x:row" and "row" alike), as workbook writers differ in the prefixes they use.
// A document type declaration is refused: workbooks have none, and entity tricks live
// there.

#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"

namespace kestrio::sheets {

// Attributes of one element: the local name and value of each.
class XmlAttributes {
 public:
  explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
  // The value of the attribute whose local name is name; empty when absent.
  std::string_view Get(std::string_view name) const;

 private:
  const char** pairs_;
};

class XmlStream;

// The message for a workbook that cannot be read, with what is wrong with it.
std::string DamagedWorkbook(std::string_view what);

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void Start(std::string_view name, const XmlAttributes& attributes) = 0;
  virtual void End(std::string_view name) = 0;
  // Character data between tags, in pieces.
  virtual void Text(std::string_view text) = 0;

 protected:
  // Ends parsing with an error message (a limit exceeded, a value out of range); the
  // stream's Feed returns it.
  void Fail(std::string message);
  // Ends parsing without an error: the handler has what it needs.
  void Stop();

 private:
  friend class XmlStream;
  XmlStream* stream_ = nullptr;
};

class XmlStream {
 public:
  // part names the part in messages ("xl/worksheets/sheet1.xml"). handler must outlive
  // the stream, and is fed by one stream at a time.
  XmlStream(XmlHandler& handler, std::string part);
  ~XmlStream();
  XmlStream(const XmlStream&) = delete;
  XmlStream& operator=(const XmlStream&) = delete;

  // Parses the next chunk; last marks the end of the part. Not ok on malformed XML
  // (a DamagedWorkbook message naming the part and line) or after Fail (the handler's
  // message).
  Status Feed(std::string_view chunk, bool last);

  // Ends parsing with an error message; Feed returns it.
  void Fail(std::string message);
  // Ends parsing without an error.
  void Stop();
  // True once parsing ended early; later chunks are ignored.
  bool stopped() const { return stopped_; }

 private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
  std::string part_;
  std::string failure_;
  bool stopped_ = false;
};

// Parses a whole part held in memory.
Status ParseXml(std::string_view xml, XmlHandler& handler, std::string part);

}  // namespace kestrio::sheets
