// A file list over a catalogue file of the test's choice, in a private folder
// with a few stand-in pictures.
#pragma once

#include <gtest/gtest.h>
#include <string>

#include "CatalogueFileList.h"
#include "CatalogueTestKit.h"

class ListTest : public ::testing::Test
{
protected:
    ListTest() : m_folder("pixmere_lists") {}

    std::string Picture(const std::string& name) { return catalogue_test::MakePicture(m_folder / name); }
    std::string Catalogue() const { return m_folder / "catalogue.db"; }

    catalogue_test::TempFolder m_folder;
};
