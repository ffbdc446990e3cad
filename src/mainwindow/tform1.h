#ifndef TINTARA_MAINWINDOW_TFORM1_H_
#define TINTARA_MAINWINDOW_TFORM1_H_

#include <QCursor>
#include <QDeadlineTimer>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QRgb>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_models.h"
#include "colour/rgb_color.h"
#include "mainwindow/palette/palette_math.h"
#include "mainwindow/settings/main_settings.h"
#include "mainwindow/settings/option_settings.h"
#include "mainwindow/sources/colour_sources.h"
#include "mainwindow/surface.h"
#include "output/body_composer.h"
#include "platform/error_box.h"

class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QGroupBox;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace tintara {

class BodySchemeBox;
class ClientArea;
class CopyFormatBox;
class FieldEdit;
class FloatingSwatch;
class HelpSystem;
class SettingsStore;
class StandardPaletteImage;
class SurfaceMark;
class SwatchListBox;
class SystemColours;
class ColourGroupBox;
class TFlatBtn;
class UserSlot;
class TFormAbout;
class TFormCaption;
class TFormInput;
class TFormMosaic;
class TFormOption;
class TSusiePlugIn;
class HelperWait;
class MagnifierView;
class PiccerButton;
class ScreenReader;

// What the main window works with from outside.
struct TForm1Services {
  SettingsStore* settings = nullptr;        // a private in-memory store when none is given
  ErrorBox error_box{};                     // the standard error box when empty
  HelpSystem* help = nullptr;               // no help when none is given
  SystemColours* system_colours = nullptr;  // private in-memory colours when none are given
  QuestionBox ask{};                        // the standard question box when empty
  ScreenReader* screen = nullptr;           // the desktop's own screen when none is given
};

// The program's other windows. Each is made the first time it is asked for,
// so that none of them delays the main window's first frame.
class OtherWindows {
 public:
  virtual TFormAbout& About() = 0;
  virtual TFormInput& Input() = 0;
  virtual TFormOption& Option() = 0;
  virtual TFormCaption& Caption() = 0;
  virtual TFormMosaic& Mosaic() = 0;

 protected:
  ~OtherWindows() = default;
};

// The palette's three values and the ranges of the current channel.
struct PaletteAxes {
  int x = 0;
  int y = 0;
  int bar = 0;
  int xmin = 0, xmax = 255;
  int ymin = 0, ymax = 255;
  int barmin = 0, barmax = 255;
};

// The main window: one current colour, the editors that change it and the
// views that show it. Its member functions are spread over one source file
// per concern (editor rows, palette, copy text, layout).
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 626;
  static constexpr int kClientHeight = 416;

  // A window with an in-memory settings store, for tools and tests.
  explicit TForm1(QWidget* parent = nullptr);
  explicit TForm1(TForm1Services services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The current colour, each channel 0..255.
  RgbColor CurrentColour() const { return RgbColor::FromInts(red_, green_, blue_); }
  // Stores a colour from outside the editors and brings every view up to date.
  void SetCurrentColour(RgbColor colour);

  int PaletteChannel() const { return palette_channel_; }
  SlideModel CurrentSlideModel() const { return slide_model_; }
  // Chooses the palette channel and the editor's model, as the options do.
  void ChooseModels(int palette_channel, SlideModel slide_model);

  bool OutputNum() const { return output_num_; }
  bool OutputLower() const { return output_lower_; }
  void SetOutputForm(bool output_num, bool output_lower);

  QImage SurfaceImage() const { return surface_.Image(); }
  QWidget* Client() const;
  const PaletteAxes& Axes() const { return palette_axes_; }
  const std::array<int, 3>& Rows() const { return rows_; }
  QColor BackgroundColour() const { return background_; }

  // ---- current colour and three-row editor ----
  void RefreshAll();
  void RefreshRows();
  void ApplyRowValue(int k);
  void ApplyModelSettings();

  void ScrollBarRChange();
  void ScrollBarGChange();
  void ScrollBarBChange();
  void EditRExit();
  void EditGExit();
  void EditBExit();
  void hEditRExit();
  void hEditGExit();
  void hEditBExit();
  void EditRKeyPress(int key);
  void EditGKeyPress(int key);
  void EditBKeyPress(int key);
  void hEditRKeyPress(int key);
  void hEditGKeyPress(int key);
  void hEditBKeyPress(int key);
  void ScrollBarEChange();
  void ScrollBarSChange();
  void ScrollBarLChange();
  void EditEExit();
  void EditSExit();
  void EditLExit();
  void EditEKeyPress(int key);
  void EditSKeyPress(int key);
  void EditLKeyPress(int key);
  void FormDblClick();

  // ---- gradient palette, bar, strips and swatch ----
  enum class FieldAxis { kBoth, kX, kY };
  void SetFieldPoint(FieldAxis axis = FieldAxis::kBoth);
  void SetBarValue();
  void SyncPaletteFromColor();
  void BuildPaletteGrid();
  void DrawPaletteBar();
  void PaintPaletteGrid();
  void DrawSlideStrips();
  void PaintSwatch();
  void FormMouseDown(Qt::MouseButton button, Qt::MouseButtons held, QPoint position);
  void FormMouseMove(QPoint position);
  void FormMouseUp();
  void FormPaint();

  // ---- BODY tag group, pictures and text brought in ----
  // (tform1_body.cpp, tform1_pictures.cpp)
  void ComposeBodyTag();
  // Makes the role the one the editor works on. The menus' role items call
  // this too, also for a role that is left out of the tag.
  void SelectBodyRole(BodyRole role);
  void RoleRadioButtonClick(BodyRole role);
  void RoleCheckBoxClick(BodyRole role);
  void CheckBoxPictureClick();
  // Applies the sample chosen in ComboBoxBodyEx; the samples menu selects
  // its item there first.
  void ComboBoxBodyExChange();
  void ButtonCopyBodyClick();
  // The whole tag to the clipboard as plain text (also the menus' copy items).
  void CopyBodyTag();
  void SpeedButtonOpenClick();
  void SpeedButtonPasteClick();
  // An opened or dropped file: a picture goes behind the preview, anything
  // else to the BODY tag reader.
  void OpenPictureOrText(const QString& path);
  void ShowBackgroundPicture(const QImage& picture, const QString& name);

  const BodyComposerState& BodyComposer() const { return body_; }
  // The name the tag's BACKGROUND attribute writes; empty until a picture.
  QString BackgroundPictureName() const;

  // Asks for the file to open; an empty name means the user cancelled.
  // Tests put their own function here.
  std::function<QString()> ChooseFileToOpen;
  // The picture plug-in host; the plug-ins stay loaded only for the length
  // of one operation.
  std::unique_ptr<TSusiePlugIn> SusiePlugIn;
  // The open dialog's filter, made from the plug-ins found when it is first
  // needed: the start does not wait for the plug-in host.
  const QString& OpenFilter();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 public:
  // ---- end of BODY tag group ----

  // ---- life cycle, settings, dialogs and menus ----
  // (tform1_lifecycle.cpp, tform1_commands.cpp)
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void SpeedButtonExitClick();
  // Closes the window because the program was told to end (the session
  // ending, kill): a pick in progress and any open dialog are given up as
  // Escape gives them up, settings are saved as on any close, but a failure
  // is written to standard error, since nobody may be there to answer a box.
  void EndBySignal();
  void MenuOptionClick();
  void MenuHelpCClick();
  void MenuHelpSearchClick();
  void VersionClick();

  // The other windows of the program, which live longer than this one.
  void AttachWindows(OtherWindows* windows);
  // The options dialog's OK: new models and output form, applied afterwards
  // by MenuOptionClick.
  void StoreOptions(int palette_channel, SlideModel slide_model, bool output_num,
                    bool output_lower);
  // The options the dialog keeps that steer this window (user palette mode,
  // picker mode, delay and radius).
  void ApplyHeldOptions(const OptionSettings& options);
  const OptionSettings& HeldOptions() const { return held_options_; }
  const std::array<RgbColor, kUserSlotCount>& UserPalette() const { return user_palette_; }
  const std::vector<FavouriteSetting>& Favourites() const { return favourites_; }
  const QString& PlugInFolder() const { return plug_in_folder_; }
  const QCursor& PiccerCursor() const { return piccer_cursor_; }
  const ErrorBox& ShowError() const { return error_box_; }
  SettingsStore* Settings() const { return settings_; }

  // The BODY samples menu: applies sample `tag` as the list does.
  void MenuSelBodyClick(int tag);
  QAction* PopEditCopy = nullptr;
  QAction* PopEditBody = nullptr;
  QAction* PopEditPaste = nullptr;
  QMenu* MenuSelBody = nullptr;
  QMenu* MenuSelBodyEx = nullptr;
  QMenu* MenuFile = nullptr;
  QAction* MenuFileOpen = nullptr;
  QAction* MenuFileExit = nullptr;
  QAction* MenuOption = nullptr;
  QMenu* MenuHelp = nullptr;
  QAction* MenuHelpC = nullptr;
  QAction* MenuHelpSearch = nullptr;
  QAction* MenuVersion = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 public:
  // ---- end of life cycle ----

  // ---- colour sources and the pulse timer (sources/tform1_sources.cpp) ----
  void SpeedButtonColorFixClick();
  void SpeedButtonColorWinClick();
  void SpeedButtonColorFavClick();
  void SpeedButtonColorStdClick();
  void MenuSelNameClick(int tag);
  void MenuSelStdClick(int tag);
  void MenuSelWinClick(int tag);
  void MenuSelWinBackClick();
  void ComboBoxFixColorChange();
  void ComboBoxFixColorDrawItem(QPainter& painter, int index, const QRect& rect, bool selected);
  void Image16MouseMove(int x);
  void Image16Click();
  void ComboBoxWinColorDropDown();
  void ComboBoxWinColorChange();
  void ComboBoxWinColorDrawItem(QPainter& painter, int index, const QRect& rect, bool selected);
  void SpeedButtonWinSaveClick();
  void SpeedButtonFixBeforeClick();
  void SpeedButtonWinBackClick();
  void ComboBoxFavColorChange();
  void ComboBoxFavColorDrawItem(QPainter& painter, int index, const QRect& rect, bool selected);
  void SpeedButtonFavAddClick();
  void SpeedButtonFavDelClick();
  // Click feedback: the button swells by 30 pixels around its centre until
  // Timer fires; `tag` names the button for TimerTimer.
  static constexpr int kPulseSaveUser = 0;   // BitBtnSaveUser
  static constexpr int kPulseCopyUser = 1;   // ButtonCopyUser
  static constexpr int kPulseCopyBody = 2;   // ButtonCopyBody
  static constexpr int kPulseFixBefore = 4;  // SpeedButtonFixBefore
  static constexpr int kPulseWinBack = 5;    // SpeedButtonWinBack
  void StartPulse(int tag);
  void TimerTimer();

  // The desktop's colour of screen-design entry k (0..25), now and as it was
  // when the window was created.
  RgbColor SystemColourOfEntry(int entry) const;
  RgbColor SnapshotOfEntry(int entry) const;

  QFrame* PanelColor = nullptr;
  QFrame* PanelFixColor = nullptr;
  QFrame* PanelWinColor = nullptr;
  QFrame* PanelFavColor = nullptr;
  QFrame* PanelStdColor = nullptr;
  TFlatBtn* SpeedButtonColorFix = nullptr;
  TFlatBtn* SpeedButtonColorWin = nullptr;
  TFlatBtn* SpeedButtonColorFav = nullptr;
  TFlatBtn* SpeedButtonColorStd = nullptr;
  SwatchListBox* ComboBoxFixColor = nullptr;
  SwatchListBox* ComboBoxWinColor = nullptr;
  SwatchListBox* ComboBoxFavColor = nullptr;
  StandardPaletteImage* Image16 = nullptr;
  QWidget* Shape16U = nullptr;
  QWidget* Shape16D = nullptr;
  QWidget* Shape16L = nullptr;
  QWidget* Shape16R = nullptr;
  TFlatBtn* SpeedButtonWinSave = nullptr;
  TFlatBtn* SpeedButtonFixBefore = nullptr;
  TFlatBtn* SpeedButtonWinBack = nullptr;
  TFlatBtn* SpeedButtonFavDel = nullptr;
  TFlatBtn* SpeedButtonFavAdd = nullptr;
  // The tool buttons' pulse: 100 ms, one shot.
  QTimer* Timer = nullptr;
  QMenu* MenuSel = nullptr;
  QMenu* MenuSelName = nullptr;
  QMenu* MenuSelStand = nullptr;
  QMenu* MenuSelWin = nullptr;
  QAction* MenuSelWinBack = nullptr;
  QMenu* MenuSelUser = nullptr;

  // ---- user palette (user_palette/tform1_user_palette.cpp) ----
  void SelectUserSlot(int slot);
  void ApplyUserSlot();
  void UserSlotClick(int slot);
  void UserSlotDblClick(int slot);
  void UserSlotMouseMove(int slot);
  void EditUKeyPress(QChar character);
  void BitBtnSaveUserClick();
  // PopSave and PopEditSave.
  void PopSaveClick();
  void ButtonCopyUserClick();
  // The readout's text to the clipboard (PopUser and PopEditUser too).
  void CopyUserColour();
  void MenuEditUserClearClick();
  void MenuSelUserClick(int tag);

  ColourGroupBox* GroupBoxUserPalette = nullptr;
  QLabel* LabelUserPalette = nullptr;
  std::array<UserSlot*, kUserSlotCount> UserSlots{};
  QLineEdit* EditU = nullptr;
  QLabel* LabelUserRedCaption = nullptr;
  QLabel* LabelUserGreenCaption = nullptr;
  QLabel* LabelUserBlueCaption = nullptr;
  QLabel* LabelUserRed = nullptr;
  QLabel* LabelUserGreen = nullptr;
  QLabel* LabelUserBlue = nullptr;
  QLineEdit* EditURGB = nullptr;
  TFlatBtn* BitBtnSaveUser = nullptr;
  TFlatBtn* ButtonCopyUser = nullptr;
  QWidget* ShapeUserU = nullptr;
  QWidget* ShapeUserD = nullptr;
  QWidget* ShapeUserL = nullptr;
  QWidget* ShapeUserR = nullptr;
  QMenu* MenuEdit = nullptr;
  QAction* PopEditUser = nullptr;
  QAction* PopEditSave = nullptr;
  QAction* MenuEditUserClear = nullptr;
  QMenu* PopupMenu = nullptr;
  QAction* PopUser = nullptr;
  QAction* PopSave = nullptr;

  // ---- screen picker (picker/tform1_picker.cpp) ----
  void BitBtnPiccerClick();
  void BitBtnPiccerMouseDown(Qt::MouseButton button, Qt::MouseButtons held);
  void BitBtnPiccerMouseMove();
  void BitBtnPiccerMouseUp();
  void TimerCaptureTimer();
  // Ends a press-and-drag pick without taking a colour (Escape).
  void CancelPushPick();
  // True from the start of a pick, in either mode, until it has picked or
  // given up.
  bool PickerBusy() const;
  // Press-and-drag picking: chosen in the options, and the live screen can
  // be read.
  bool PushPicking() const;
  ScreenReader* Screen() const { return screen_; }

  // The pick action, which the command line, D-Bus and shortcuts start: the
  // window hides, the screen, every monitor, is frozen at once, whatever
  // the picker mode, and a click makes the pixel the current colour and puts
  // its copy text on the clipboard. The window is shown afterwards, also
  // when the user gave up (Escape, middle button). While a pick or a modal
  // dialog is under way it only brings the window to the front.
  void PickColourFromScreen();
  // Receives the picked colour, or none when the user gave up or the screen
  // could not be copied (then `failure` says why).
  using PickedPixel = std::function<void(std::optional<RgbColor> colour, const QString& failure)>;
  // The same frozen pick, but the result goes only to `picked`: the window
  // is not shown again and neither the colour nor the clipboard changes.
  // False, and `picked` never called, when a pick or a modal dialog is under
  // way.
  bool PickPixelFromScreen(PickedPixel picked);

  PiccerButton* BitBtnPiccer = nullptr;
  // The magnifier panel of a press-and-drag pick, made when the first pick
  // starts: nothing shows it before.
  MagnifierView& PushPickPanel();
  MagnifierView* PanelPiccer = nullptr;
  QTimer* TimerCapture = nullptr;

  // ---- copy text ----
  void RebuildCopyText();
  void CopyColourText();
  void ComboBoxCopyChange();
  void ComboBoxCopyDropDown();
  void ComboBoxCopyDblClick();
  void SpeedButtonCopyClick();

  // Controls, named as the rest of the program refers to them.
  QScrollBar* ScrollBarR = nullptr;
  QScrollBar* ScrollBarG = nullptr;
  QScrollBar* ScrollBarB = nullptr;
  QScrollBar* ScrollBarE = nullptr;
  QScrollBar* ScrollBarS = nullptr;
  QScrollBar* ScrollBarL = nullptr;
  FieldEdit* EditR = nullptr;
  FieldEdit* EditG = nullptr;
  FieldEdit* EditB = nullptr;
  FieldEdit* hEditR = nullptr;
  FieldEdit* hEditG = nullptr;
  FieldEdit* hEditB = nullptr;
  FieldEdit* EditE = nullptr;
  FieldEdit* EditS = nullptr;
  FieldEdit* EditL = nullptr;
  QLabel* LabelY = nullptr;
  QLabel* LabelC = nullptr;
  QLabel* LabelM = nullptr;
  QLabel* LabelE = nullptr;
  QLabel* LabelS = nullptr;
  QLabel* LabelL = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label10 = nullptr;
  SurfaceMark* ImageCenterL = nullptr;
  SurfaceMark* ImageCenterR = nullptr;
  SurfaceMark* ImageCenterU = nullptr;
  SurfaceMark* ImageCenterD = nullptr;
  SurfaceMark* ImageArrow = nullptr;
  QFrame* PanelOpen = nullptr;
  QFrame* PanelRGB = nullptr;
  QFrame* Panel1 = nullptr;
  CopyFormatBox* ComboBoxCopy = nullptr;
  TFlatBtn* SpeedButtonCopy = nullptr;
  // The copy text of the current colour.
  QString EditRGB;
  // BODY tag group controls:
  TFlatBtn* SpeedButtonPicture = nullptr;
  TFlatBtn* ButtonCopyBody = nullptr;
  TFlatBtn* SpeedButtonPaste = nullptr;
  ColourGroupBox* GroupBox1 = nullptr;
  QLabel* ImageBg = nullptr;
  QRadioButton* RadioButtonT = nullptr;
  QRadioButton* RadioButtonL = nullptr;
  QRadioButton* RadioButtonV = nullptr;
  QRadioButton* RadioButtonA = nullptr;
  QRadioButton* RadioButtonB = nullptr;
  QCheckBox* CheckBoxT = nullptr;
  QCheckBox* CheckBoxL = nullptr;
  QCheckBox* CheckBoxV = nullptr;
  QCheckBox* CheckBoxA = nullptr;
  QCheckBox* CheckBoxB = nullptr;
  QLabel* LabelT = nullptr;
  QLabel* LabelLi = nullptr;
  QLabel* LabelV = nullptr;
  QLabel* LabelA = nullptr;
  QLabel* LabelBg = nullptr;
  QLabel* LabelBody = nullptr;
  QLabel* LabelDummy1 = nullptr;
  QLabel* LabelDummy2 = nullptr;
  QCheckBox* CheckBoxPicture = nullptr;
  QLabel* LabelPicture = nullptr;
  QLabel* LabelBody1 = nullptr;
  QLabel* LabelBody2 = nullptr;
  QLabel* LabelBody3 = nullptr;
  QLabel* LabelBody4 = nullptr;
  QLabel* LabelBody5 = nullptr;
  BodySchemeBox* ComboBoxBodyEx = nullptr;
  // The composed tag, one line.
  QString MemoBODY;
  // end of BODY tag group controls

  // Re-entrance guard: 0 idle, 1 a row value is being applied, 2 a palette
  // value, 3 a refresh or a model set-up.
  std::uint8_t UpdateOrigin = 0;

 private:
  friend class ClientArea;

  void CreateControls();
  void CreateEditorRows();
  void CreatePaletteControls();
  void CreateToolBar();
  void CreateBodyGroup();
  void CreateColourSources();
  void CreateColourSourceMenus();
  // The items of the named-colour, standard-palette and screen-design
  // menus, about two hundred, made the first time any menu opens.
  void FillColourSourceMenus();
  void CreateUserPalette();
  void CreateUserPaletteMenus();
  void CreateMenus();
  void CreatePopupMenu();
  void CreateBodyMenus();
  // The window's shortcuts work while a field has the focus, but for the
  // keys a text field needs itself.
  void LetShortcutsPassFields();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void LoadResources();
  // The menu items' bitmaps, read the first time any menu opens.
  void GiveMenuBitmaps();
  // What the menus need before the first of them opens.
  void PrepareMenus();
  WindowPlacement CurrentPlacement() const;
  void ShowHeldErrors();
  void GiveUpForEnding();
  void ConnectHandlers();

  FieldEdit* RowDecimalField(int k) const;
  FieldEdit* RowHexField(int k) const;
  QScrollBar* RowSlider(int k) const;
  // Shows row k's value in its slider and both fields.
  void ShowRow(int k);
  void ReadRowField(int k, bool hexadecimal);
  void StoreColour(RgbColor colour);
  void MoveMarkers();
  void MoveArrow();
  void PaintStaticParts();
  void Flush();

  // The current colour as three integers, each 0..255.
  int red_ = 192;
  int green_ = 192;
  int blue_ = 192;
  SlideModel slide_model_ = SlideModel::kRgb;
  int palette_channel_ = kDefaultPaletteChannel;
  bool output_num_ = true;
  bool output_lower_ = true;

  std::array<int, 3> rows_{};
  std::array<ComponentRange, 3> row_ranges_{};
  PaletteAxes palette_axes_;
  PaletteGrid palette_grid_{};
  DragMode drag_mode_ = DragMode::kNone;
  QPoint last_mouse_;

  QColor background_;
  Surface surface_;
  ClientArea* client_ = nullptr;
  FloatingSwatch* floating_swatch_ = nullptr;

  // BODY tag group state:
  void CreateOpenButtons();
  void CreatePictureInput();
  // Carries out what a composer operation asks for, in its order.
  void ApplyBodyEffects(const BodyEffects& effects);
  // Brings the group's controls in line with the composer.
  void ShowBodyControls();
  void ReadBodyText(const std::string& text);
  QRadioButton* RoleRadioButton(BodyRole role) const;
  QCheckBox* RoleCheckBox(BodyRole role) const;

  BodyComposerState body_;
  // What the group shows now, so a refresh repaints only what changed.
  std::optional<BodyControls> shown_body_controls_;
  // end of BODY tag group state

  // Colour sources state:
  QWidget* PulseButton(int tag) const;
  void ShowSourcePanel(QFrame* panel);
  void ShowStandardFrame(int cell);
  void ShowScreenDesignHints(int entry);
  void SetSystemColourOfEntry(int entry, RgbColor colour);
  // The favourites list as its control shows it, one item per favourite.
  void ShowFavourites();

  std::unique_ptr<SystemColours> owned_system_colours_;
  SystemColours* system_colours_ = nullptr;
  QuestionBox ask_;
  std::array<RgbColor, kScreenDesignEntryCount> system_snapshot_{};
  // The button Timer shrinks back; none when no pulse is pending.
  int timer_tag_ = -1;
  // end of colour sources state

  // User palette state:
  int SlotInField() const;
  // The selected slot's number underlined in the desktop's highlight colour,
  // the others in its window-text colour.
  void StyleSlotCaptions();
  void StoreUserSlot();
  int selected_slot_ = 0;
  // end of user palette state

  // Screen picker state:
  void CreatePicker();
  // The hint of BitBtnPiccer and the red frame of PanelPiccer, by the options.
  void ApplyPickerOptions();
  void FollowCursorWithWindow(QPoint cursor, bool centre_vertically);
  void ShowLiveSquare(QPoint cursor);
  void EndPushPick();
  // Makes the overlay and the magnifier the first time a click pick needs
  // them; false when the window has none.
  bool MakeFrozenPickWindows();
  void WaitForWindowsGone(int tries_left);
  void FreezeScreen();
  void FinishFrozenPick(std::optional<QRgb> pixel);

  enum class CaptureStage { kIdle, kWaiting, kClearing, kFrozen };
  std::unique_ptr<ScreenReader> owned_screen_;
  ScreenReader* screen_ = nullptr;
  CaptureStage capture_stage_ = CaptureStage::kIdle;
  // When the click-mode capture is due.
  QDeadlineTimer capture_due_;
  std::vector<QPointer<QWidget>> windows_to_clear_;
  // Set while a pick started by PickPixelFromScreen runs.
  PickedPixel frozen_pick_done_;
  bool push_pick_running_ = false;
  std::vector<QRect> pick_monitors_;
  // The place and size of the client area before a press-and-drag pick.
  // Unlike the frame's, they never depend on whether the window manager has
  // told its frame yet, so the window comes back exactly as it was.
  QPoint saved_place_;
  int saved_client_width_ = 0;
  int saved_client_height_ = 0;
  // end of screen picker state

  // Life cycle state:
  std::unique_ptr<SettingsStore> owned_settings_;
  SettingsStore* settings_ = nullptr;
  ErrorBox error_box_;
  HelpSystem* help_ = nullptr;
  OtherWindows* windows_ = nullptr;
  // The overlay and the magnifier once a click pick has needed them.
  TFormCaption* caption_ = nullptr;
  TFormMosaic* mosaic_ = nullptr;
  OptionSettings held_options_;
  std::array<RgbColor, kUserSlotCount> user_palette_ = FirstUserPalette();
  std::vector<FavouriteSetting> favourites_;
  // The window's values as the store held them when last read or written:
  // what differs from them at a close is what this run changed.
  MainSettings stored_settings_;
  QString plug_in_folder_;
  QString open_filter_;
  // In force while the plug-in helper works.
  std::unique_ptr<HelperWait> helper_wait_;
  bool ending_by_signal_ = false;
  // Until the window is first shown, error_box_ holds messages back here and
  // shows them from the event loop once the window is up.
  ErrorBox shown_error_box_;
  std::vector<QString> held_errors_;
  bool window_up_ = false;
  QCursor piccer_cursor_;
  std::vector<QPixmap> menu_bitmaps_;
  // end of life cycle state
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_TFORM1_H_
