#include "mainwindow/settings/settings_table.h"

namespace tintara {
namespace {

char ChannelLetter(RgbChannel channel) {
  switch (channel) {
    case RgbChannel::kRed:
      return 'R';
    case RgbChannel::kGreen:
      return 'G';
    case RgbChannel::kBlue:
      return 'B';
  }
  return 'R';
}

}  // namespace

std::string SlotChannelKey(RgbChannel channel, int slot) {
  return ChannelLetter(channel) + std::to_string(slot);
}

std::string FavoriteNameKey(int index) { return "Favorite" + std::to_string(index); }

std::string FavoriteChannelKey(RgbChannel channel, int index) {
  return "Favorite" + (ChannelLetter(channel) + std::to_string(index));
}

}  // namespace tintara
