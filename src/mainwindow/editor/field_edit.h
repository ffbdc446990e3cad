#ifndef TINTARA_MAINWINDOW_EDITOR_FIELD_EDIT_H_
#define TINTARA_MAINWINDOW_EDITOR_FIELD_EDIT_H_

#include <QHash>
#include <QImage>
#include <QLineEdit>

namespace tintara {

// A one-line number field. It reports every time the focus leaves it for
// another control of the window, and every key typed into it. The typing
// limit holds for the user's typing only: text the program writes may be
// longer (a hexadecimal field shows ffffff80 for -128). It draws its own
// flat sunken frame: the styled frame costs more to paint than the window's
// whole palette, and up to nine fields change on every drag step.
class FieldEdit : public QLineEdit {
  Q_OBJECT

 public:
  // typing_limit 0 means no limit.
  explicit FieldEdit(int typing_limit, QWidget* parent = nullptr);

  // Shows a value the program computed. An unchanged text is left alone, so
  // a drag step redraws only the fields whose numbers really changed.
  void ShowText(const QString& text) {
    if (text != this->text()) setText(text);
  }

 signals:
  void Exited();
  // The character code of a typed key; Enter is 13.
  void KeyPressed(int key);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // What a resting picture depends on besides the text.
  struct RestingLook {
    QFont font;
    qint64 palette = 0;
    QSize size;
    qreal pixel_ratio = 0;
    Qt::Alignment alignment;
    bool operator==(const RestingLook&) const = default;
  };
  // Enough for every number a field of the window shows, under 1 MB.
  static constexpr int kMaxRestingPictures = 600;

  int RoomLeft() const;
  // The field at rest as a picture; none when the line edit must draw it.
  const QImage* RestingPicture();
  const QImage* KeepRestingPicture(const QImage& picture);

  int typing_limit_;
  RestingLook resting_look_;
  QHash<QString, QImage> resting_pictures_;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_EDITOR_FIELD_EDIT_H_
