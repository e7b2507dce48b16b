#pragma once
// Identifiers of the program's Windows resources, shared by the resource
// script and the code. Every picture exists twice: rendered for 96 DPI and
// for 192 DPI (twice the pixels); icons hold their sizes for both in one
// group each.

#define IDI_SPURLIX_PROGRAM 1  // the program icon; the first icon is the EXE's icon
#define IDI_SPURLIX_INFO 2

#define IDR_BANNER_96 101
#define IDR_BANNER_192 102
#define IDR_INFO_SIGN_96 103
#define IDR_INFO_SIGN_192 104
#define IDR_VENDOR_LOGO_96 105
#define IDR_VENDOR_LOGO_192 106
#define IDR_PROMOTION_96 107
#define IDR_PROMOTION_192 108
#define IDR_FULL_EDITION_96 109
#define IDR_FULL_EDITION_192 110
