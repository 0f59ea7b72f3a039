#include "components/image_controls.h"

#include "components/property_kinds.h"

namespace kalvero {

TImage::TImage() : picture_(std::make_unique<TPicture>()) {
  picture_->OnChange = [this] { PictureChanged(); };
}

const TPropertyTable& TImage::Properties() const {
  static const TPropertyTable table(&TControl::Properties(),
                                    {ObjectProperty("Picture", &TImage::Picture, &TImage::SetPicture),
                                     BooleanProperty("Transparent", &TImage::Transparent, &TImage::SetTransparent)});
  return table;
}

void TImage::SetPicture(TPicture* picture) {
  if (picture != nullptr) picture_->Assign(*picture);
}

TImageList::TImageList() : pictures_(std::make_unique<TStringList>()) {}

const TPropertyTable& TImageList::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {IntegerProperty("Width", &TImageList::Width, &TImageList::SetWidth, {1, 256}),
       IntegerProperty("Height", &TImageList::Height, &TImageList::SetHeight, {1, 256}),
       ObjectProperty("Pictures", &TImageList::Pictures, &TImageList::SetPictures)});
  return table;
}

void TImageList::SetPictures(TStringList* pictures) {
  if (pictures != nullptr) pictures_->Assign(*pictures);
}

void TImageList::GetPicture(std::size_t index, TPicture& picture) const {
  const TTextLines& names = pictures_->Lines();
  picture.SetName(index < names.size() ? names[index] : std::string());
}

}  // namespace kalvero
