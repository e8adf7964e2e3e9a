#include "sheets/xml_stream.h"

#include <expat.h>

#include <climits>
#include <cstring>

namespace kestrio::sheets {
namespace {

// Expat reports names as "namespace|local" with namespace processing on.
constexpr char kNamespaceSeparator = '|';

std::string_view LocalName(const char* name) {
  const char* bar = std::strrchr(name, kNamespaceSeparator);
  return bar != nullptr ? std::string_view(bar + 1) : std::string_view(name);
}

}  // namespace

std::string DamagedWorkbook(std::string_view what) {
  return "the file is not a workbook Kestrio can read (.xlsx): " + std::string(what);
}

std::string_view XmlAttributes::Get(std::string_view name) const {
  for (const char** p = pairs_; p != nullptr && *p != nullptr; p += 2) {
    if (LocalName(p[0]) == name) return p[1];
  }
  return {};
}

void XmlHandler::Fail(std::string message) {
  if (stream_ != nullptr) stream_->Fail(std::move(message));
}

void XmlHandler::Stop() {
  if (stream_ != nullptr) stream_->Stop();
}

struct XmlStream::Parser {
  XML_Parser expat = nullptr;
  XmlHandler* handler = nullptr;
  XmlStream* stream = nullptr;

  static void OnStart(void* data, const char* name, const char** attributes) {
    auto* self = static_cast<Parser*>(data);
    self->handler->Start(LocalName(name), XmlAttributes(attributes));
  }
  static void OnEnd(void* data, const char* name) {
    static_cast<Parser*>(data)->handler->End(LocalName(name));
  }
  static void OnText(void* data, const char* text, int length) {
    static_cast<Parser*>(data)->handler->Text(
        std::string_view(text, static_cast<std::size_t>(length)));
  }
  static void OnDoctype(void* data, const char*, const char*, const char*, int) {
    Parser* self = static_cast<Parser*>(data);
    self->stream->Fail(DamagedWorkbook(self->stream->part_ + " declares a document type"));
  }
};

XmlStream::XmlStream(XmlHandler& handler, std::string part)
    : parser_(std::make_unique<Parser>()), part_(std::move(part)) {
  parser_->expat = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
  parser_->handler = &handler;
  parser_->stream = this;
  handler.stream_ = this;
  XML_SetUserData(parser_->expat, parser_.get());
  XML_SetElementHandler(parser_->expat, &Parser::OnStart, &Parser::OnEnd);
  XML_SetCharacterDataHandler(parser_->expat, &Parser::OnText);
  XML_SetStartDoctypeDeclHandler(parser_->expat, &Parser::OnDoctype);
}

XmlStream::~XmlStream() {
  if (parser_->expat != nullptr) XML_ParserFree(parser_->expat);
}

void XmlStream::Fail(std::string message) {
  if (failure_.empty()) failure_ = std::move(message);
  Stop();
}

void XmlStream::Stop() {
  if (stopped_) return;
  stopped_ = true;
  XML_StopParser(parser_->expat, XML_FALSE);
}

Status XmlStream::Feed(std::string_view chunk, bool last) {
  if (parser_->expat == nullptr)
    return Status::BadSpreadsheet("the XML reader could not be started");
  while (!stopped_) {
    // Expat takes at most INT_MAX bytes at a time.
    const std::size_t n = chunk.size() < INT_MAX ? chunk.size() : INT_MAX;
    const bool final_piece = last && n == chunk.size();
    const XML_Status status =
        XML_Parse(parser_->expat, chunk.data(), static_cast<int>(n), final_piece ? 1 : 0);
    if (status == XML_STATUS_ERROR && !stopped_) {
      return Status::BadSpreadsheet(DamagedWorkbook(
          part_ + " line " + std::to_string(XML_GetCurrentLineNumber(parser_->expat)) + ": " +
          XML_ErrorString(XML_GetErrorCode(parser_->expat))));
    }
    chunk.remove_prefix(n);
    if (chunk.empty()) break;
  }
  if (!failure_.empty()) return Status::BadSpreadsheet(failure_);
  return Status::Ok();
}

Status ParseXml(std::string_view xml, XmlHandler& handler, std::string part) {
  XmlStream stream(handler, std::move(part));
  return stream.Feed(xml, true);
}

}  // namespace kestrio::sheets
