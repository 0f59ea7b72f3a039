#pragma once

// Pictures on a window: a control that shows one picture, and a list of same-sized pictures that
// other controls take theirs from (the status icons).

#include <cstdint>
#include <memory>
#include <string>

#include "components/controls.h"
#include "components/picture.h"
#include "components/string_list.h"

namespace kalvero {

class TImage : public TControl {
 public:
  TImage();
  // Adds Picture and Transparent.
  const TPropertyTable& Properties() const override;

  TPicture& Picture() const { return *picture_; }
  // Copies the picture given; nothing leaves it as it is.
  void SetPicture(TPicture* picture);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

 protected:
  // Called after the picture changed.
  virtual void PictureChanged() {}

 private:
  std::unique_ptr<TPicture> picture_;
  bool transparent_ = false;
};

// Pictures of Width x Height with transparency, by number from 0. Pictures holds their names, a
// line each (components/picture.h).
class TImageList : public TComponent {
 public:
  TImageList();
  // Adds Width, Height and Pictures.
  const TPropertyTable& Properties() const override;

  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t width) { width_ = width; }
  std::int32_t Height() const { return height_; }
  void SetHeight(std::int32_t height) { height_ = height; }
  TStringList& Pictures() const { return *pictures_; }
  void SetPictures(TStringList* pictures);

  std::size_t Count() const { return pictures_->Lines().size(); }
  // Puts picture `index` into `picture`; an index outside the list empties it.
  void GetPicture(std::size_t index, TPicture& picture) const;

 private:
  std::int32_t width_ = 16;
  std::int32_t height_ = 16;
  std::unique_ptr<TStringList> pictures_;
};

}  // namespace kalvero
