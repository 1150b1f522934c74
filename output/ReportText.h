#pragma once
// User text on its way into the class report's page. Every text a table or a
// file name brings (comments, triggers, relay names, file names) enters the
// page through these, so it shows as text and never as markup: the characters
// XML 1.0 cannot hold (control characters, lone surrogates, U+FFFE, U+FFFF)
// are dropped, a byte that is no UTF-8 becomes U+FFFD, and for HTML the five
// markup characters become entities.

#include <QString>
#include <string>
#include <string_view>

namespace kelvo {

// For text and attribute values of the XHTML page.
std::string HtmlText(std::string_view utf8);
// For the painter of an inline SVG: QSvgGenerator escapes the markup
// characters of the texts it writes, but writes every other character as is.
QString XmlSafeText(const QString& text);

}  // namespace kelvo
