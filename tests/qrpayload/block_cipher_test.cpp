#include "qrpayload/block_cipher.h"

#include <gtest/gtest.h>

#include <random>

#include "des_oracle.h"

namespace {

class BlockCipher : public ::testing::Test {
protected:
    template <typename Bytes>
    void Fill(Bytes &bytes) {
        for (auto &b : bytes) b = static_cast<std::uint8_t>(random_());
    }
    std::mt19937 random_{2024};
};

TEST_F(BlockCipher, AgreesWithTheCompositionOfOpenSslDes) {
    for (int trial = 0; trial < 300; ++trial) {
        Key24 key;
        DesBlock block;
        Fill(key);
        Fill(block);
        ASSERT_EQ(EncryptBlock3DES(block, key), OracleEncrypt3(key, block));
        ASSERT_EQ(DecryptBlock3DES(block, key), OracleDecrypt3(key, block));
    }
}

TEST_F(BlockCipher, DecryptInvertsEncrypt) {
    for (int trial = 0; trial < 300; ++trial) {
        Key24 key;
        DesBlock block;
        Fill(key);
        Fill(block);
        ASSERT_EQ(DecryptBlock3DES(EncryptBlock3DES(block, key), key), block);
        ASSERT_EQ(EncryptBlock3DES(DecryptBlock3DES(block, key), key), block);
    }
}

TEST_F(BlockCipher, IsNeitherSingleDesNorStandardTdea) {
    for (int trial = 0; trial < 50; ++trial) {
        Key24 key;
        DesBlock block;
        Fill(key);
        Fill(block);
        EXPECT_NE(EncryptBlock3DES(block, key), OpenSslTdea(key, block, true));

        const Key8 third = KeyThird(key, 0);
        Key24 equalThirds;
        for (int t = 0; t < 3; ++t) std::copy(third.begin(), third.end(), equalThirds.begin() + 8 * t);
        EXPECT_NE(EncryptBlock3DES(block, equalThirds), OpenSslDes(third, block, true));
    }
}

TEST_F(BlockCipher, ParityBitsOfTheKeyDoNotMatter) {
    Key24 key;
    DesBlock block;
    Fill(key);
    Fill(block);
    const DesBlock enciphered = EncryptBlock3DES(block, key);
    for (std::size_t i = 0; i < key.size(); ++i) {
        Key24 flipped = key;
        flipped[i] ^= 1;
        EXPECT_EQ(EncryptBlock3DES(block, flipped), enciphered) << "key byte " << i;
        EXPECT_EQ(DecryptBlock3DES(enciphered, flipped), block) << "key byte " << i;
    }
}

TEST(HexConversion, ByteToTwoLowerCaseDigits) {
    EXPECT_EQ(ConvUchHEX(0x00), "00");
    EXPECT_EQ(ConvUchHEX(0xAB), "ab");
    EXPECT_EQ(ConvUchHEX(0x0F), "0f");
    EXPECT_EQ(ConvUchHEX(0xF0), "f0");
    for (int value = 0; value < 256; ++value)
        ASSERT_EQ(Char2ToUCH(ConvUchHEX(static_cast<std::uint8_t>(value))), value);
}

TEST(HexConversion, TwoCharactersToByte) {
    const struct {
        std::string_view text;
        int value;
    } cases[] = {
        {"AB", 0xAB}, {"ab", 0xAB}, {"aB", 0xAB}, {"x1", 0x01}, {"1x", 0x10},   {"gG", 0x00},
        {"09", 0x09}, {"fF", 0xFF}, {"1", 0x10},  {"", 0x00},   {"12ff", 0x12},
    };
    for (const auto &c : cases) EXPECT_EQ(Char2ToUCH(c.text), c.value) << c.text;
}

}  // namespace
