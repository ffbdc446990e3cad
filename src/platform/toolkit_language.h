#ifndef TINTARA_PLATFORM_TOOLKIT_LANGUAGE_H_
#define TINTARA_PLATFORM_TOOLKIT_LANGUAGE_H_

namespace tintara {

// Makes the toolkit's own texts (the file dialog, message-box buttons, the
// fields' context menus) Japanese, as the program's are, whatever the
// desktop's language. False when the toolkit's translations are missing;
// its texts then stay English.
bool InstallToolkitTranslations();

}  // namespace tintara

#endif  // TINTARA_PLATFORM_TOOLKIT_LANGUAGE_H_
