// The settings pane: the groups the host asks for, each choice written to its settings
// file and announced to the host by a posted settings-update message.

#include <string>
#include <vector>

#include "tests/grid_control/GridTestSupport.h"

namespace {

enum : int {
    kLatFormat = 3,
    kLonFormat = 4,
    kLatQuad = 5,
    kUnitsType = 8,
    kConversion = 9,
    kImperial = 10,
    kDecimals = 11,
    kTension = 13
};

class SettingsPaneTest : public gt::GridTest {
protected:
    void CreatePane(unsigned long groups) {
        ASSERT_EQ(pane.Create(host, 300, groups), 1);
        plat::PumpMessages();
        host->updates.clear();
    }

    CMyMFCPropertyGridCtrl& Grid() { return pane.GetGrid(); }

    CMFCPropertyGridProperty* Item(int id) {
        return Grid().FindItemByData(static_cast<DWORD_PTR>(id));
    }

    // The operator's choice, the way the grid reports an edit stored.
    void Choose(int id, const char* text) {
        CMFCPropertyGridProperty* prop = Item(id);
        ASSERT_NE(prop, nullptr);
        prop->SetValue(COleVariant(text));
        Grid().OnPropertyChanged(prop);
    }

    static std::vector<std::string> Options(const CMFCPropertyGridProperty& prop) {
        std::vector<std::string> options;
        for (int i = 0; i < prop.GetOptionCount(); ++i) {
            options.emplace_back(prop.GetOption(i));
        }
        return options;
    }

    std::vector<WPARAM> Posted() {
        plat::PumpMessages();
        return host->updates;
    }

    CSettingsPane pane;
};

TEST_F(SettingsPaneTest, NoGroupsGiveAnEmptyGrid) {
    CreatePane(0);
    EXPECT_EQ(Grid().GetPropertyCount(), 0);
    EXPECT_TRUE(Grid().GetSafeHwnd() != nullptr);
    EXPECT_EQ(Grid().GetDlgCtrlID(), 2);
}

TEST_F(SettingsPaneTest, AllGroupsComeInTheirOrder) {
    CreatePane(CSettingsPane::kAllGroups);
    const std::vector<std::string> expected = {"Clock", "Geographicals", "Angles",       "Units",
                                               "Speed", "Cable",         "Environmental"};
    ASSERT_EQ(Grid().GetPropertyCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Grid().GetProperty(i)->GetName(), expected[static_cast<size_t>(i)]);
    }
    for (int id = 1; id <= 16; ++id) {
        EXPECT_NE(Item(id), nullptr) << id;
    }
    EXPECT_EQ(Item(12)->FormatProperty(), "Kts.");  // the stored default speed mode
}

TEST_F(SettingsPaneTest, UnitsStartMetricWithTheImperialItemHidden) {
    CreatePane(CSettingsPane::kUnits);
    ASSERT_EQ(Grid().GetPropertyCount(), 1);
    CMFCPropertyGridProperty* units = Grid().GetProperty(0);
    EXPECT_STREQ(units->GetName(), "Units");
    ASSERT_EQ(units->GetSubItemsCount(), 4);
    EXPECT_EQ(Item(kUnitsType)->FormatProperty(), "Metric");
    EXPECT_EQ(Options(*Item(kUnitsType)), (std::vector<std::string>{"Metric", "Imperial"}));
    EXPECT_EQ(Item(kConversion)->FormatProperty(), "Metres");
    EXPECT_EQ(Options(*Item(kConversion)),
              (std::vector<std::string>{"Metres", "Kilometers", "Germany Legal"}));
    EXPECT_FALSE(Item(kImperial)->IsVisible());
}

TEST_F(SettingsPaneTest, ChoosingImperialWritesTheUnitsAndTellsTheHost) {
    CreatePane(CSettingsPane::kUnits);
    Choose(kUnitsType, "Imperial");
    EXPECT_TRUE(host->updates.empty());  // posted, not sent
    EXPECT_EQ(Posted(), std::vector<WPARAM>{0x80});

    EXPECT_EQ(Item(kUnitsType)->FormatProperty(), "Imperial");
    EXPECT_TRUE(Item(kImperial)->IsVisible());
    std::vector<std::string> feet;
    for (int i = 0; i < kFootDefinitionCount; ++i) {
        feet.emplace_back(FootDefinitions[i].name);
    }
    EXPECT_EQ(Options(*Item(kConversion)), feet);
    EXPECT_EQ(std::string(Item(kConversion)->FormatProperty()), feet[0]);
    EXPECT_NE(ReadRaw("Units_Mode.INI"), "<missing>");
    int conversion = 0;
    int imperial = 0;
    EXPECT_EQ(ReadUnitsSettings(&conversion, &imperial), 1);

    Choose(kImperial, "Yards");
    EXPECT_EQ(Posted(), (std::vector<WPARAM>{0x80, 0x80}));
    ReadUnitsSettings(&conversion, &imperial);
    EXPECT_EQ(imperial, 1);

    Choose(kUnitsType, "Metric");
    EXPECT_FALSE(Item(kImperial)->IsVisible());
    EXPECT_EQ(Options(*Item(kConversion)).size(), 3u);
    EXPECT_EQ(ReadUnitsSettings(&conversion, &imperial), 0);
}

TEST_F(SettingsPaneTest, ChoosingImperialThroughTheDropDown) {
    CreatePane(CSettingsPane::kUnits);
    pane.ShowPane(TRUE, FALSE, FALSE);
    host->RecalcLayout();
    plat::PumpMessages();
    CMFCPropertyGridProperty* type = Item(kUnitsType);
    ASSERT_FALSE(type->GetRect().IsRectEmpty());
    Click(Grid(), ValueCentre(Grid(), *type));
    ASSERT_TRUE(type->IsInPlaceEditing());
    plat::input::Key(VK_DOWN);  // the next option into the editor
    plat::input::Key(VK_RETURN);
    plat::PumpMessages();
    EXPECT_EQ(type->FormatProperty(), "Imperial");
    EXPECT_TRUE(Item(kImperial)->IsVisible());
    EXPECT_EQ(Posted(), std::vector<WPARAM>{0x80});
}

TEST_F(SettingsPaneTest, ATextMatchingNoOptionIsIgnored) {
    CreatePane(CSettingsPane::kUnits | CSettingsPane::kCable);
    Choose(kUnitsType, "Cubits");
    Choose(kTension, "Tonnes ");
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), "<missing>");
    EXPECT_EQ(ReadRaw("Tension_Mode.INI"), "<missing>");
}

TEST_F(SettingsPaneTest, DecimalPlacesOutsideTheSpinRangeAreNotStored) {
    CreatePane(CSettingsPane::kUnits);
    CMFCPropertyGridProperty* places = Item(kDecimals);
    places->SetValue(COleVariant(2L));
    Grid().OnPropertyChanged(places);
    EXPECT_EQ(ReadDecimalPlaces(), 2);
    places->SetValue(COleVariant(9L));
    Grid().OnPropertyChanged(places);
    EXPECT_EQ(ReadDecimalPlaces(), 2);
    EXPECT_EQ(Posted(), std::vector<WPARAM>{0x80});
}

TEST_F(SettingsPaneTest, TheSecondLatitudeQuadrantWritesSouthAndPostsNothing) {
    CreatePane(CSettingsPane::kGeographicals);
    EXPECT_EQ(Item(kLatQuad)->FormatProperty(), "North");
    Choose(kLatQuad, "South");
    EXPECT_EQ(GetDefaultLatQuad(), 'S');
    EXPECT_TRUE(Posted().empty());
}

TEST_F(SettingsPaneTest, TheLatitudeFormatIsAlsoShownUnderLongitude) {
    CreatePane(CSettingsPane::kGeographicals);
    Choose(kLatFormat, CSettingsPane::LatLonFmtTxt[2]);
    EXPECT_EQ(GetGeoPreference(), 2);
    EXPECT_EQ(Item(kLonFormat)->FormatProperty(), CSettingsPane::LatLonFmtTxt[2]);
    EXPECT_EQ(Posted(), std::vector<WPARAM>{0x08});
    Choose(kLonFormat, CSettingsPane::LatLonFmtTxt[4]);
    EXPECT_EQ(Item(kLatFormat)->FormatProperty(), CSettingsPane::LatLonFmtTxt[4]);
}

TEST_F(SettingsPaneTest, KilotonnesStoresTensionModeTwo) {
    CreatePane(CSettingsPane::kCable);
    Choose(kTension, "Kilotonnes");
    EXPECT_EQ(ReadTensionMode(), 2);
    EXPECT_EQ(Posted(), std::vector<WPARAM>{0x40});
}

TEST_F(SettingsPaneTest, NightModeSwitchesTheGridColours) {
    CreatePane(CSettingsPane::kUnits);
    COLORREF back, text, groupBack, groupText, descrBack, descrText, line;
    Grid().GetCustomColors(back, text, groupBack, groupText, descrBack, descrText, line);
    EXPECT_EQ(back, RGB(214, 214, 214));
    EXPECT_EQ(Grid().GetColourScheme(), 1);
    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    Grid().GetCustomColors(back, text, groupBack, groupText, descrBack, descrText, line);
    EXPECT_EQ(back, RGB(0, 0, 0));
    EXPECT_EQ(text, RGB(192, 192, 192));
    EXPECT_EQ(descrText, RGB(192, 192, 192));
    pane.SetDaylightMode();
    EXPECT_FALSE(pane.GetNightMode());
}

}  // namespace
