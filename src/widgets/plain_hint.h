#ifndef TINTARA_WIDGETS_PLAIN_HINT_H_
#define TINTARA_WIDGETS_PLAIN_HINT_H_

#include <QString>
#include <QTextDocument>

namespace tintara {

// A hint that shows `text` exactly as it stands. A tool tip takes text that
// looks like markup for rich text, so a hint made of a user's words or of a
// tag ("<FONT …>") is escaped and its blanks kept.
inline QString PlainHint(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

}  // namespace tintara

#endif  // TINTARA_WIDGETS_PLAIN_HINT_H_
