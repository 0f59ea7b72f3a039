#pragma once

// A picture as the component model knows it: the name of one of the program's built-in images
// (a Qt resource under ":/artwork/", e.g. "flag-en" for ":/artwork/flag-en.png"), which the
// Qt-backed layer loads. The empty name is no picture.

#include <functional>
#include <string>

#include "components/persistent.h"

namespace kalvero {

class TPicture final : public TPersistent {
 public:
  // Publishes Name.
  const TPropertyTable& Properties() const override;
  void Assign(const TPersistent& source) override;

  std::string Name() const { return name_; }
  void SetName(std::string name);
  bool Empty() const { return name_.empty(); }

  // Called after the picture changed.
  std::function<void()> OnChange;

 private:
  std::string name_;
};

}  // namespace kalvero
