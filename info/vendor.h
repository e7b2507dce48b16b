#pragma once
// The vendor's data, in one place: the information dialog shows it, the
// dialogs open its addresses and the web-link installation writes two of them
// into ACT!. Every address lies under the reserved example domain.

namespace info {

inline constexpr const char* kVendorCompany = "Hellwig & Sander Datentechnik GmbH";
inline constexpr const char* kVendorStreet = "Musterweg 12";
inline constexpr const char* kVendorTown = "12345 Musterstadt";
inline constexpr const char* kVendorEmail = "info@example.com";
inline constexpr const char* kVendorWebsite = "https://www.example.com/";

// The product page, opened from the information dialog.
inline constexpr const char* kProductPage = "https://www.example.com/spurlixlight/";
// The full edition's trial version, opened from the picture dialog.
inline constexpr const char* kTrialDownload =
    "https://www.example.com/download/spurlix-vollversion-test.zip";

// The two web links placed into ACT!: a German catalogue of ACT! add-ons and
// a German ACT! user forum.
inline constexpr const char* kAddOnCatalogue = "https://addons.example.com/";
inline constexpr const char* kUserForum = "https://forum.example.com/";

}  // namespace info
