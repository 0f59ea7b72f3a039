#include "components/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvero {
namespace {

// Records its name in a shared log when destroyed.
class TLoggedComponent final : public TComponent {
 public:
  explicit TLoggedComponent(std::vector<std::string>& log) : log_(log) {}
  ~TLoggedComponent() override { log_.push_back(Name()); }

 private:
  std::vector<std::string>& log_;
};

TEST(TComponentNames, LookUpIgnoresCaseOfAsciiLettersOnly) {
  TApplication application;
  TComponent& form = application.CreateComponent<TComponent>("Form1");
  TComponent& label = form.CreateComponent<TComponent>("Label5");
  EXPECT_EQ(form.FindComponent("label5"), &label);
  EXPECT_EQ(form.FindComponent("LABEL5"), &label);
  EXPECT_EQ(form.FindComponent("Label"), nullptr);
  EXPECT_EQ(application.FindComponent("Label5"), nullptr) << "only direct children are found";
}

TEST(TComponentNames, DuplicateIsRefusedAndNothingIsAdded) {
  TComponent owner;
  owner.CreateComponent<TComponent>("Edit1");
  EXPECT_THROW(owner.CreateComponent<TComponent>("EDIT1"), EComponentError);
  EXPECT_EQ(owner.ComponentCount(), 1u);
}

TEST(TComponentNames, RenameToAnotherComponentsNameKeepsTheOldName) {
  TComponent owner;
  owner.CreateComponent<TComponent>("cb1");
  TComponent& second = owner.CreateComponent<TComponent>("cb2");
  EXPECT_THROW(second.SetName("CB1"), EComponentError);
  EXPECT_EQ(second.Name(), "cb2");
  second.SetName("CB2");  // its own name in another case is no clash
  EXPECT_EQ(second.Name(), "CB2");
}

TEST(TComponentNames, ManyUnnamedComponentsAreAllowedAndNeverFound) {
  TComponent window;
  TComponent& first = window.CreateComponent<TComponent>("");
  TComponent& second = window.CreateComponent<TComponent>("");
  EXPECT_NE(&first, &second);
  EXPECT_EQ(window.ComponentCount(), 2u);
  EXPECT_EQ(window.FindComponent(""), nullptr);
}

TEST(TComponentNames, SameNameUnderDifferentOwnersIsAllowed) {
  TApplication application;
  TComponent& form3 = application.CreateComponent<TComponent>("Form3");
  TComponent& form4 = application.CreateComponent<TComponent>("Form4");
  EXPECT_NO_THROW(form3.CreateComponent<TComponent>("Multilanguage1"));
  EXPECT_NO_THROW(form4.CreateComponent<TComponent>("Multilanguage1"));
}

TEST(TComponentOwnership, ListKeepsCreationOrderAndRootIsTheTopOwner) {
  TApplication application;
  TComponent& window = application.CreateComponent<TComponent>("Form1");
  for (const char* name : {"GroupBox1", "Label1", "", "lng"}) window.CreateComponent<TComponent>(name);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < window.ComponentCount(); ++i) {
    names.push_back(window.Component(i).Name());
    EXPECT_EQ(window.Component(i).Owner(), &window);
    EXPECT_EQ(&window.Component(i).Root(), &application);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"GroupBox1", "Label1", "", "lng"}));
  EXPECT_EQ(&application.Root(), &application);
}

TEST(TComponentOwnership, OwnerDestroysItsComponentsLastCreatedFirst) {
  std::vector<std::string> log;
  {
    TComponent window;
    window.CreateComponent<TLoggedComponent>("a", log);
    TLoggedComponent& b = window.CreateComponent<TLoggedComponent>("b", log);
    b.CreateComponent<TLoggedComponent>("b.child", log);
    window.CreateComponent<TLoggedComponent>("c", log);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"c", "b", "b.child", "a"}));
}

TEST(TComponentProperties, NameIsPublishedAndKeepsItsUniqueness) {
  TComponent owner;
  owner.CreateComponent<TComponent>("Label1");
  TComponent& label = owner.CreateComponent<TComponent>("Label2");
  EXPECT_TRUE(SetPropertyFromText(label, "NAME", "Label3"));
  EXPECT_EQ(label.Name(), "Label3");
  EXPECT_THROW(SetPropertyFromText(label, "Name", "label1"), EComponentError);
  EXPECT_FALSE(SetPropertyFromText(label, "Caption", "x"));
}

}  // namespace
}  // namespace kalvero
