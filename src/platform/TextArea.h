#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/RectControl.h"

namespace platform {

class Graphics;
class StyledTextPrinter;

// An editable text field, single- or multi-line, plain or styled (bold runs kept).
// KeyDown fires before every edit a person makes, with the key's text for a key, the
// text it inserts for a paste, a drop or an input method's commit, and the code of the
// keyboard key for the context menu's Cut, Delete, Undo and Redo; true swallows the
// edit. The field never holds more than LimitText characters (0: no limit) and a
// single-line field never holds a line break, however the text arrives. Lines of the
// text are separated by one carriage return (13).
class TextArea : public RectControl {
 public:
  TextArea();

  std::string Text() const;
  void SetText(std::string_view text);

  // Selection, in characters from 0.
  std::int32_t SelStart() const;
  void SetSelStart(std::int32_t start);
  std::int32_t SelLength() const;
  void SetSelLength(std::int32_t length);
  // Sets the selected characters bold (styled fields only).
  void SetSelBold(bool bold);

  // A printer of a copy of the field's styled text, laid out `width` points wide.
  std::shared_ptr<platform::StyledTextPrinter> StyledTextPrinter(const std::shared_ptr<Graphics>& graphics,
                                                                 std::int32_t width) const;

  const PropertyTable& Properties() const override;
  void SetProperty(std::string_view name, const PropertyValue& value) override;

 protected:
  bool OffersEvent(std::string_view eventName, std::string_view signature) const override;
};

}  // namespace platform
