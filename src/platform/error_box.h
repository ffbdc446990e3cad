#ifndef TINTARA_PLATFORM_ERROR_BOX_H_
#define TINTARA_PLATFORM_ERROR_BOX_H_

#include <QString>
#include <functional>

namespace tintara {

// Shows a message in the application's standard error box. Windows take one
// of these so tests can read the message instead of facing a modal box.
using ErrorBox = std::function<void(const QString& message)>;

// The real box: a critical message box titled with the application's name.
ErrorBox StandardErrorBox();

// Asks a question with OK and Cancel; true for OK. Windows take one of these
// so tests can give the answer.
using QuestionBox = std::function<bool(const QString& caption, const QString& text)>;

// The real box: the exclamation icon, OK and Cancel.
QuestionBox StandardQuestionBox();

}  // namespace tintara

#endif  // TINTARA_PLATFORM_ERROR_BOX_H_
