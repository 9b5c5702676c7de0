#include "Sim/Applications/DialogLayout.h"

namespace varnelo::sim::DialogLayout {

Face face(const Rect& frame, bool isSheet) {
  Face face;
  const double middle = frame.x + frame.width / 2;
  double top = frame.y + 14;
  if (isSheet) {
    face.nameField = {middle - 110, top, 220, 22};
    top += 34;
  }
  face.folderPopup = {middle - 110, top, 220, 24};
  face.list = {frame.x + 16, top + 38, frame.width - 32, frame.maxY() - 56 - (top + 38)};
  face.confirm = {frame.maxX() - 96, frame.maxY() - 40, 80, 26};
  face.cancel = {face.confirm.x - 92, face.confirm.y, 80, 26};
  face.goToSheet = {middle - 170, frame.y, 340, 64};
  face.goToField = {face.goToSheet.x + 16, face.goToSheet.y + 20, face.goToSheet.width - 32,
                    face.goToSheet.height - 40};
  return face;
}

Rect rowFrame(const Rect& list, std::size_t index) {
  return {list.x, list.y + 2 + kRowHeight * static_cast<double>(index), list.width, kRowHeight};
}

std::optional<std::size_t> rowAt(const Rect& list, std::size_t count, Point point) {
  for (std::size_t index = 0; index < count; ++index) {
    const Rect row = rowFrame(list, index);
    if (row.maxY() > list.maxY()) break;
    if (point.x >= row.x && point.x < row.maxX() && point.y >= row.y && point.y < row.maxY())
      return index;
  }
  return std::nullopt;
}

}  // namespace varnelo::sim::DialogLayout
