#include "platform/d2xx/loader.h"

#include <gtest/gtest.h>

namespace {

TEST(Loader, ResolvesEveryFunctionOfACompleteLibrary) {
    d2xx::Library library;
    ASSERT_TRUE(library.Load(D2XX_SIM_LIBRARY)) << library.Error();
    const d2xx::FtApi &api = library.Api();
    EXPECT_TRUE(api.FT_ListDevices && api.FT_Open && api.FT_Close && api.FT_SetTimeouts && api.FT_Write &&
                api.FT_Read && api.FT_GetStatus && api.FT_ClrRts);
    library.Unload();
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(library.Api().FT_Open, nullptr);
}

TEST(Loader, BareLibraryNamesAreFoundThroughTheProgramsLibraryPath) {
    // This test program's run path holds the folder of both device libraries, as the station
    // program's must.
    for (const char *name : {d2xx::kStationLibraryName, d2xx::kSimulatorLibraryName}) {
        d2xx::Library library;
        EXPECT_TRUE(library.Load(name)) << library.Error();
    }
}

TEST(Loader, MissingLibraryOrFunctionIsALoadFailure) {
    struct Case {
        const char *path;
        const char *errorMentions;
    };
    for (const Case &c : {Case{"libd2xx_no_such_library.so", "libd2xx_no_such_library.so"},
                          Case{D2XX_MISSING_READ_LIBRARY, "FT_Read"}}) {
        d2xx::Library library;
        EXPECT_FALSE(library.Load(c.path)) << c.path;
        EXPECT_FALSE(library.Loaded());
        EXPECT_EQ(library.Api().FT_ListDevices, nullptr) << "nothing stays resolved after a failure";
        EXPECT_NE(library.Error().find(c.errorMentions), std::string::npos) << library.Error();
    }
}

TEST(Loader, FailedReloadDropsTheLibraryLoadedBefore) {
    d2xx::Library library;
    ASSERT_TRUE(library.Load(D2XX_SIM_LIBRARY));
    EXPECT_FALSE(library.Load(D2XX_MISSING_READ_LIBRARY));
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(library.Api().FT_Open, nullptr);
}

}  // namespace
