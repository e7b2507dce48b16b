#pragma once
// The dialogs' pictures as Windows resources, with their sizes at 96 DPI
// (the sizes of the SVG sources in resources/).

#include "platform/win32/ui/png_picture.h"
#include "resources/win32/resource_ids.h"

namespace resources_win32 {

inline constexpr win32_ui::PictureResource kBanner{IDR_BANNER_96, IDR_BANNER_192, 183, 32};
inline constexpr win32_ui::PictureResource kInfoSign{IDR_INFO_SIGN_96, IDR_INFO_SIGN_192, 24, 24};
inline constexpr win32_ui::PictureResource kVendorLogo{IDR_VENDOR_LOGO_96, IDR_VENDOR_LOGO_192, 160,
                                                       40};
inline constexpr win32_ui::PictureResource kPromotion{IDR_PROMOTION_96, IDR_PROMOTION_192, 233,
                                                      129};
inline constexpr win32_ui::PictureResource kFullEdition{IDR_FULL_EDITION_96, IDR_FULL_EDITION_192,
                                                        699, 360};

inline constexpr int kProgramIcon = IDI_SPURLIX_PROGRAM;
inline constexpr int kInformationIcon = IDI_SPURLIX_INFO;

}  // namespace resources_win32
