#pragma once
// CStateImagesUI: what a control looks like in each of its states. It holds the UISTATE_ bits
// the control is in (hot, pushed, captured, focused, disabled, selected) and the image string
// it shows for each state. An image that fails to draw is forgotten, so a broken skin costs one
// failed load, not one per paint. UI thread only, like the control that holds it.

#include <initializer_list>
#include <vector>

#include "Core/UIDefine.h"
#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

class CControlUI;

class CStateImagesUI {
 public:
  enum Image {
    Normal,
    Hot,
    Pushed,
    Focused,
    Disabled,
    Selected,
    SelectedHot,
    Fore,
    HotFore,
    ImageCount
  };

  UINT GetState() const { return m_uState; }
  bool Is(UINT uBits) const { return (m_uState & uBits) != 0; }
  void Set(UINT uBits, bool bOn = true) {
    m_uState = bOn ? (m_uState | uBits) : (m_uState & ~uBits);
  }
  // Keeps only the bits of uKeep (0: every bit cleared).
  void Reset(UINT uKeep = 0) { m_uState &= uKeep; }
  // Takes the focused and disabled bits from the control, as they are now.
  void Follow(const CControlUI& control);
  // Sets or clears the hot bit and repaints the control when the bit changed.
  void SetHot(CControlUI& control, bool bHot);

  LPCWSTR GetImage(Image which) const;
  void SetImage(Image which, LPCWSTR pStrImage);
  // The same, then repaints the control that shows the image.
  void SetImage(CControlUI& control, Image which, LPCWSTR pStrImage);
  bool HasImage(Image which) const;
  // Draws one image over the control (modifier may be null); false when there is none or it
  // cannot be drawn (then it is forgotten).
  bool Draw(CControlUI& control, HDC hDC, Image which, LPCWSTR pStrModify = nullptr);
  // The image of the first state of `order` the control is in; Normal when it is in none of
  // them or that state has no image of its own.
  Image Current(std::initializer_list<Image> order) const;
  // Draws the image Current(order) picks; the normal image when that one fails.
  void DrawCurrent(CControlUI& control, HDC hDC, std::initializer_list<Image> order);

  // The image attributes ("normalimage", "hotimage", "pushedimage", "focusedimage",
  // "disabledimage", "selectedimage", "selectedhotimage", "foreimage", "hotforeimage"): the
  // image they name, or ImageCount for another name.
  static Image ImageForAttribute(LPCWSTR pstrName);

 private:
  UINT m_uState = 0;
  std::vector<CUIString> m_aImages;  // empty until an image is set
};

}  // namespace SkinUI
