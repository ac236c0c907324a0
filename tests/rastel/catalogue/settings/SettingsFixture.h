// A test application "SettingsTest" under the company key of these tests.
#pragma once

#include <gtest/gtest.h>
#include <memory>

#include "CatalogueTestKit.h"

class Settings : public ::testing::Test
{
protected:
    static constexpr const char* Title = "SettingsTest";
    static constexpr const char* Company = "PixmereTest_Settings";

    void SetUp() override { m_app.reset(new catalogue_test::TestApp(Title, Company)); }
    void TearDown() override { m_app.reset(); }

    std::string Key() const { return m_app->SettingsKey(Title); }

    std::unique_ptr<catalogue_test::TestApp> m_app;
};
