#include "mainwindow/sources/colour_sources.h"

#include "platform/system_colours.h"

namespace tintara {

// Each is the colour's name and a description; a few differ in their
// spacing, and are kept as they are.
const std::array<std::string_view, kNamedColorCount> kNamedItemTexts = {{
    "aliceblue  (アリスの青)",
    "antiquewhite  (古びた白)",
    "aqua  (水色､薄い緑がかった青)",
    "aquamarine  (鉱石からきた青緑色)",
    "azure  (空色、やや緑みのあかるい青)",
    "beige  (黄色味を帯びた薄い茶色)",
    "bisque  (ビスク色、素焼きの陶器)",
    "black  (黒色)",
    "blanchedalmond  (漂白されたアーモンド色)",
    "blue  (青色)",
    "blueviolet  (スミレ色)",
    "brown  (茶色)",
    "burlywood  (頑丈な木)",
    "cadetblue  (国防色)",
    "chartreuse  (明るく薄い黄緑色)",
    "chocolate  (チョコレート色)",
    "coral  (珊瑚色)",
    "cornflowerblue  (ヤグルマギクの青色)",
    "cornsilk  (小麦絹色)",
    "crimson  (深紅色)",
    "cyan  (青緑色)",
    "darkblue  (暗い青)",
    "darkcyan  (暗い青緑色)",
    "darkgoldenrod(暗いセイタカアワダチソウ色)",
    "darkgray  (暗い灰色)",
    "darkgreen  (暗い緑)",
    "darkkhaki  (暗いカーキ色)",
    "darkmagenta  (暗い紫紅色)",
    "darkolivegreen  (黄緑色)",
    "darkorange  (暗いオレンジ色)",
    "darkorchid  (暗い紫色)",
    "darkred  (暗い赤)",
    "darksalmon  (暗い鮭の色)",
    "darkseagreen  (暗い海色)",
    "darkslateblue  (青石板の暗い色)",
    "darkslategray  (灰色石板の暗い色)",
    "darkturquoise  (暗いトルコ石,暗い青緑色)",
    "darkviolet  (暗いスミレ色)",
    "deeppink  (深い桃色)",
    "deepskyblue  (深い空色)",
    "dimgray  (薄暗い灰色)",
    "dodgerblue  (ヨコバエ虫色)",
    "firebrick  (耐火れんが色)",
    "floralwhite  (花の白)",
    "forestgreen  (森の緑)",
    "fuchsia  (フクシャの赤紫色)",
    "gainsboro  (画家の灰色)",
    "ghostwhite  (幽霊の白)",
    "gold  (金色)",
    "goldenrod  (セイタカアワダチソウ色)",
    "gray  (灰色)",
    "green  (緑色)",
    "greenyellow  (黄緑色)",
    "honeydew  (甘露色)",
    "hotpink  (激しい桃色)",
    "indianred  (インディアンの赤)",
    "indigo  (あい色)",
    "ivory  (象牙色)",
    "khaki  (カーキ色、軍服色)",
    "lavender  (ラベンダー色、藤色)",
    "lavenderblush  (藤紅色)",
    "lawngreen  (芝生の緑)",
    "lemonchiffon  (薄いレモン色)",
    "lightblue  (うすい青)",
    "lightcoral  (うすい珊瑚色)",
    "lightcyan  (うすいシアン色)",
    "lightgoldenrodyellow (うすい黄色)",
    "lightgreen  (うすい緑)",
    "lightgrey  (うすい灰色)",
    "lightpink  (うすいピンク)",
    "lightsalmon  (うすい鮭色)",
    "lightseagreen  (うすい海緑色)",
    "lightskyblue  (うすい空色)",
    "lightslategray  (うすい灰板色)",
    "lightsteelblue  (うすい鋼色)",
    "lightyellow  ( うすい黄色)",
    "lime  (ライム色,黄緑色)",
    "limegreen  (ライムの緑色)",
    "linen  (リネン色 亜麻色)",
    "magenta  (マゼンタ、紫紅色)",
    "maroon  (くり色,えび茶色)",
    "mediumaquamarine  (薄い緑と青の中間色)",
    "mediumblue  (中間の青)",
    "mediumorchid  (中間の欄色)",
    "mediumpurple  (中間の紫)",
    "mediumseagreen  (中間の海緑色)",
    "mediumslateblue  (中間の石板青)",
    "mediumspringgreen  (中間の浅い黄みの緑)",
    "mediumturquoise(中間のトルコ石の青緑色)",
    "mediumvioletred  (中間の紅スミレ色)",
    "midnightblue  (真夜中の青)",
    "mintcream  (ミントクリーム色)",
    "mistyrose  (はっきりしないばら色)",
    "moccasin  (インディアンの靴色)",
    "navajowhite  (ナバホ族の白)",
    "navy  (海軍の色)",
    "oldlace  (古いレース色)",
    "olive  (オリーブ色、黄緑色)",
    "olivedrab  (アメリカ陸軍の迷彩色)",
    "orange  (オレンジ色)",
    "orangered  (オレンジ赤)",
    "orchid  (ランの花の薄紫色)",
    "palegoldenrod  (うすい金赤色)",
    "palegreen  (うすい緑)",
    "paleturquoise  (トルコ石のうすい青緑色)",
    "palevioletred  (うすいスミレ紅色)",
    "papayawhip  (パパイヤホイップ色)",
    "peachpuff  (桃色パフ色)",
    "peru  (ペルー色)",
    "pink  (撫子色、桃色)",
    "plum  (西洋スモモの色)",
    "powderblue  (淡青色)",
    "purple  (むらさき色)",
    "red  (赤)",
    "rosybrown  (ばら色の茶色)",
    "royalblue  (紺青色,藤紫色)",
    "saddlebrown  (馬のくら色の茶)",
    "salmon  (鮭色)",
    "sandybrown  (砂色の茶)",
    "seagreen  (海緑色)",
    "seashell  (海の貝殻色)",
    "sienna  (シエンナ土の色)",
    "silver  (銀色)",
    "skyblue  (空色)",
    "slateblue  (石がわらの青)",
    "slategray  (石板の灰色)",
    "snow  (雪色)",
    "springgreen  (春の緑)",
    "steelblue  (鋼鉄の青)",
    "tan  (日焼け色)",
    "teal  (コガモの首の青緑色)",
    "thistle  (アザミ色)",
    "tomato  (トマト色)",
    "turquoise  (トルコ石の青緑色)",
    "violet  (スミレ色)",
    "wheat  (小麦色)",
    "white  (白)",
    "whitesmoke  (白い煙色)",
    "yellow  (黄色)",
    "yellowgreen  (黄緑)",
}};

const std::array<StandardCell, kStandardColorCount> kStandardCells = {{
    {"黒色をColorに代入します", "黒(&0)"},
    {"栗色をColorに代入します", "栗色(&1)"},
    {"緑色をColorに代入します", "緑色(&2)"},
    {"オリーブ色をColorに代入します", "オリーブ色(&3)"},
    {"海軍色をColorに代入します", "海軍色(&4)"},
    {"紫色をColorに代入します", "紫(&5)"},
    {"青緑色をColorに代入します", "暗青緑色(&6)"},
    {"灰色をColorに代入します", "灰色(&7)"},
    {"銀色をColorに代入します", "銀色(&8)"},
    {"赤色をColorに代入します", "赤(&9)"},
    {"ライム色をColorに代入します", "ライム色(&A)"},
    {"黄色をColorに代入します", "黄色(&B)"},
    {"青色をColorに代入します", "青(&C)"},
    {"フクシャ色をColorに代入します", "フクシャ色(&D)"},
    {"水色をColorに代入します", "水色(&E)"},
    {"白色をColorに代入します", "白(&F)"},
}};

// Three pairs name one colour twice: the 3-D face, highlight and shadow are
// the button's face, highlight and shadow.
const std::array<ScreenDesignEntry, kScreenDesignEntryCount> kScreenDesignEntries = {{
    {"３Ｄ表示されているオブジェクトのシャドウの色", nullptr,
     kColor3dDkShadow},  // 3-D objects: dark shadow
    {"３Ｄ表示されているオブジェクトの表面の色",
     "３Ｄ表示されているオブジェクトの表面の色背景の現在色", kColorBtnFace},  // 3-D objects: face
    {"３Ｄ表示されているオブジェクトのハイライトカラー", nullptr,
     kColorBtnHighlight},                                                  // 3-D objects: highlight
    {"３Ｄ表示されているオブジェクトの明るい色", nullptr, kColor3dLight},  // 3-D objects: light
    {"３Ｄ表示されているオブジェクトの陰影の色", nullptr, kColorBtnShadow},  // 3-D objects: shadow
    {"アクティブウィンドウの境界の色", nullptr, kColorActiveBorder},         // active window border
    {"アクティブウィンドウのキャプションの色", nullptr,
     kColorActiveCaption},  // active window caption
    {"MDIコンテナのクライアント領域の背景色", nullptr,
     kColorAppWorkspace},                                               // MDI client background
    {"Windowsデスクトップの色", nullptr, kColorBackground},             // desktop
    {"ボタンの表面の色", nullptr, kColorBtnFace},                       // button face
    {"ボタンの境界線のハイライトカラー", nullptr, kColorBtnHighlight},  // button highlight
    {"ボタンの境界線の影の色", nullptr, kColorBtnShadow},               // button shadow
    {"ボタンのテキストの現在色", nullptr, kColorBtnText},               // button text
    {"ｷｬﾌﾟｼｮﾝ,ｻｲｽﾞﾎﾞｯｸｽ,ｽｸﾛｰﾙﾊﾞｰの矢印ﾎﾞﾀﾝの中のﾃｷｽﾄの色",
     "キャプション、サイズボックス、スクロールバーの矢印ボタンの中のテキストの色",
     kColorCaptionText},  // caption, size box and scroll-arrow text
    {"グレー状態のテキストの現在色", nullptr, kColorGrayText},       // grey text
    {"選択された項目の背景色", nullptr, kColorHighlight},            // selected item background
    {"選択された項目のテキストの色", nullptr, kColorHighlightText},  // selected item text
    {"非アクティブウィンドウの境界の色", nullptr, kColorInactiveBorder},  // inactive window border
    {"非アクティブウィンドウのキャプションの色", nullptr,
     kColorInactiveCaption},  // inactive window caption
    {"非アクティブウインドウのタイトルバーのテキストの現在色", nullptr,
     kColorInactiveCaptionText},                                       // inactive caption text
    {"メニューの背景色", nullptr, kColorMenu},                         // menu background
    {"メニューの中ののテキストの色", nullptr, kColorMenuText},         // menu text
    {"スクロールバーコントロールの背景色", nullptr, kColorScrollBar},  // scroll bar background
    {"ウィンドウの背景色", nullptr, kColorWindow},                     // window background
    {"ウィンドウの枠の色", nullptr, kColorWindowFrame},                // window frame
    {"ウィンドウのテキストの現在色", nullptr, kColorWindowText},       // window text
}};

std::string_view NamedMenuCaption(int index) {
  // Three items of the menu have always been spelt so; the tag, not the
  // caption, chooses the colour.
  switch (index) {
    case 36:
      return "darkturquiose";
    case 68:
      return "lightgray";
    case 98:
      return "olivedark";
    default:
      return NamedColorTable[static_cast<std::size_t>(index)].name;
  }
}

std::string_view ScreenDesignMenuCaption(int entry) {
  const ScreenDesignEntry& e = kScreenDesignEntries[static_cast<std::size_t>(entry)];
  return e.menu_caption != nullptr ? e.menu_caption : e.item_text;
}

StandardFrame StandardFrameOnCell(int image_left, int cell) {
  StandardFrame frame;
  frame.left = image_left + kStandardCellWidth * cell - 2;
  frame.right = image_left + kStandardCellWidth * cell + kStandardCellWidth;
  return frame;
}

int StandardCellOfFrame(int frame_left, int image_left) {
  return (frame_left - image_left + 2) / kStandardCellWidth;
}

int SelectionAfterDelete(int deleted, int count_before) {
  return deleted == count_before - 1 ? deleted - 1 : deleted;
}

}  // namespace tintara
