#pragma once
// The identifiers of the library's resources (dialog templates, icons, bitmaps and the
// strings of its string table).

#include "platform/core/WinTypes.h"

// Dialog templates: the icon selection and the edit box.
constexpr UINT IDD_ICON_SELECT = 14001;
constexpr UINT IDD_EDIT_BOX = 14002;

// Icons of the progress pane's button: logging off and on (32 x 32).
constexpr UINT IDI_LOG_OFF = 14003;
constexpr UINT IDI_LOG_ON = 14004;

// Bitmaps; every image is 16 x 16 with white as the transparent colour.
// The state icons: 13 pairs, image 2p the false and 2p + 1 the true state of icon p.
constexpr UINT IDB_STATE_ICONS = 14007;
constexpr UINT IDB_LOCK = 14023;          // image 0: the padlock
constexpr UINT IDB_STATUS_BALLS = 14025;  // red, green, magenta, yellow

// Strings.
constexpr UINT IDS_LOG_MESSAGE = 14006;
// The names and descriptions of the style rows that set their own.
constexpr UINT IDS_SYMBOL_SIZE = 14026;
constexpr UINT IDS_SYMBOL_SIZE_DESCRIPTION = 14027;
constexpr UINT IDS_FILL_STYLE = 14028;
constexpr UINT IDS_FILL_STYLE_DESCRIPTION = 14029;
constexpr UINT IDS_LINE_STYLE = 14030;
constexpr UINT IDS_LINE_STYLE_DESCRIPTION = 14031;
constexpr UINT IDS_LINE_THICKNESS = 14032;
constexpr UINT IDS_LINE_THICKNESS_DESCRIPTION = 14033;
constexpr UINT IDS_LABEL_MODE = 14034;
constexpr UINT IDS_LABEL_MODE_DESCRIPTION = 14035;
constexpr UINT IDS_LABEL_POSITION = 14036;
constexpr UINT IDS_LABEL_POSITION_DESCRIPTION = 14037;
