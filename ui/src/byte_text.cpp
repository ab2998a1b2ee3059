#include "byte_text.h"

#include <QLineEdit>
#include <QStringDecoder>
#include <QValidator>

#include "logic/code_page.h"

namespace nv {

namespace {

constexpr const char* kBytesProperty = "nvBytes";

class ByteLimit : public QValidator {
 public:
  ByteLimit(int maxBytes, QLineEdit* box) : QValidator(box), box_(box), maxBytes_(maxBytes) {}
  State validate(QString& text, int&) const override {
    const std::string bytes =
        TextBytes(text, box_->property(kBytesProperty).toByteArray().toStdString());
    return static_cast<int>(bytes.size()) <= maxBytes_ ? Acceptable : Invalid;
  }

 private:
  QLineEdit* box_;
  int maxBytes_;
};

}  // namespace

QString ShownText(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString text = utf8.decode(view);
  if (!utf8.hasError()) return text;
  text.clear();  // the registry's own code page, one character per byte
  for (const char byte : bytes) {
    text += QChar(static_cast<char16_t>(FromWindows1252(static_cast<uint8_t>(byte))));
  }
  return text;
}

namespace {

// What a typed text becomes: the bytes the same name has on this system's command line, so the
// window and wlanctl store one name alike. On Windows that is the ANSI code page of the
// registry's calls (Windows-1252) when it holds every character and the bytes read back as the
// same text; anything else, and everywhere else, UTF-8, which loses nothing.
std::string TypedBytes(const QString& text) {
#ifdef Q_OS_WIN
  std::string bytes;
  for (const char32_t point : text.toUcs4()) {
    uint8_t byte = 0;
    if (!ToWindows1252(point, &byte)) return text.toUtf8().toStdString();
    bytes.push_back(static_cast<char>(byte));
  }
  if (ShownText(bytes) == text) return bytes;
#endif
  return text.toUtf8().toStdString();
}

}  // namespace

std::string TextBytes(const QString& text, std::string_view shown) {
  if (!shown.empty() && ShownText(shown) == text) return std::string(shown);
  return TypedBytes(text);
}

void SetByteLimit(QLineEdit* box, int maxBytes) {
  box->setMaxLength(maxBytes);  // never more characters than bytes
  box->setValidator(new ByteLimit(maxBytes, box));
}

void ShowBytes(QLineEdit* box, std::string_view bytes) {
  box->setProperty(kBytesProperty, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  box->setText(ShownText(bytes));
}

std::string BoxBytes(const QLineEdit* box) {
  return TextBytes(box->text(), box->property(kBytesProperty).toByteArray().toStdString());
}

}  // namespace nv
