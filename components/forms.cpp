#include "components/forms.h"

#include "components/property_kinds.h"

namespace kalvero {

const TPropertyTable& TForm::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {TextProperty("Caption", &TControl::Text, &TControl::SetText),
       IntegerProperty("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth, kExtentRange),
       IntegerProperty("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight, kExtentRange)});
  return table;
}

}  // namespace kalvero
