#include "update/core/ManifestSignature.h"

#include <gtest/gtest.h>

namespace {

using ManifestSignature::Base64;
using ManifestSignature::FromDer;
using Bytes = std::vector<unsigned char>;

// As `openssl dgst -sha256 -sign key.pem body.txt | openssl base64 -A` wrote it.
const std::string kSignature = "MEUCIQCZp5REEt4CvpfOC9UuBXXBMtIzIx5VDFffH8u01ivW2wIgem58RRDhhYMxgRD"
                               "kl6BcJoDcrpAe+j1mPxFl9MMMWxE=";
const std::string kBody = "version=1.2.0\r\n0|http://h/a.dll\r\n";

std::string Hex(const ManifestSignature::RawSignature& raw) {
    std::string hex;
    for (unsigned char byte : raw) {
        hex += "0123456789ABCDEF"[byte >> 4];
        hex += "0123456789ABCDEF"[byte & 15];
    }
    return hex;
}

Bytes Der(Bytes r, Bytes s) {
    Bytes der{0x30, static_cast<unsigned char>(4 + r.size() + s.size()), 0x02,
              static_cast<unsigned char>(r.size())};
    der.insert(der.end(), r.begin(), r.end());
    der.push_back(0x02);
    der.push_back(static_cast<unsigned char>(s.size()));
    der.insert(der.end(), s.begin(), s.end());
    return der;
}

TEST(ManifestSignature, TheLastLineSignsEveryByteBeforeIt) {
    for (const std::string& ending : {std::string("\r\n"), std::string("\n"), std::string()}) {
        const std::string manifest = kBody + "signature=" + kSignature + ending;
        const auto split = ManifestSignature::Split(manifest);
        ASSERT_TRUE(split) << ending.size();
        EXPECT_EQ(split->body, kBody);
        EXPECT_EQ(Hex(split->signature),
                  "99A7944412DE02BE97CE0BD52E0575C132D233231E550C57DF1FCBB4D62BD6DB"
                  "7A6E7C4510E18583318110E497A05C2680DCAE901EFA3D663F1165F4C30C5B11");
    }
    EXPECT_FALSE(ManifestSignature::Split(kBody));
    EXPECT_FALSE(ManifestSignature::Split("signature=" + kSignature + "\r\n" + kBody))
        << "only the last line";
    EXPECT_FALSE(ManifestSignature::Split(kBody + "signature= " + kSignature));
    EXPECT_FALSE(ManifestSignature::Split(kBody + "Signature=" + kSignature));
    EXPECT_FALSE(ManifestSignature::Split(kBody + "signature=" + kSignature + "\r\n\r\n"));
}

TEST(ManifestSignature, Base64IsStrict) {
    EXPECT_EQ(Base64("TWFu"), (Bytes{'M', 'a', 'n'}));
    EXPECT_EQ(Base64("TWE="), (Bytes{'M', 'a'}));
    EXPECT_EQ(Base64("TQ=="), (Bytes{'M'}));
    for (const char* bad :
         {"", "TWF", "TW=u", "TWE", "T Fu", "TWF-", "TR==", "TWF=", "====", "TQ=A"}) {
        EXPECT_FALSE(Base64(bad)) << bad;
    }
}

TEST(ManifestSignature, DerIsStrict) {
    const Bytes r(32, 0x11), s(32, 0x22);
    const auto raw = FromDer(Der(r, s));
    ASSERT_TRUE(raw);
    EXPECT_EQ((*raw)[0], 0x11);
    EXPECT_EQ((*raw)[63], 0x22);
    const auto shortR = FromDer(Der({0x05}, s));
    ASSERT_TRUE(shortR) << "a short integer is right-aligned";
    EXPECT_EQ((*shortR)[31], 0x05);
    EXPECT_EQ((*shortR)[0], 0x00);

    Bytes high(32, 0x80);
    Bytes padded{0x00};
    padded.insert(padded.end(), high.begin(), high.end());
    EXPECT_TRUE(FromDer(Der(padded, s))) << "the zero that keeps it positive";
    EXPECT_FALSE(FromDer(Der(high, s))) << "negative";
    EXPECT_FALSE(FromDer(Der({0x00, 0x05}, s))) << "a needless leading zero";
    EXPECT_FALSE(FromDer(Der({0x00}, s))) << "zero";
    EXPECT_FALSE(FromDer(Der(Bytes(33, 0x11), s))) << "too long";
    EXPECT_FALSE(FromDer(Der({}, s))) << "empty";
    Bytes trailing = Der(r, s);
    trailing.push_back(0);
    EXPECT_FALSE(FromDer(trailing)) << "bytes after the sequence";
    Bytes inner = Der(r, s);
    inner[1] = static_cast<unsigned char>(inner[1] + 1);
    inner.push_back(0);
    EXPECT_FALSE(FromDer(inner)) << "bytes after s inside the sequence";
    Bytes longForm = Der(r, s);
    longForm.insert(longForm.begin() + 1, 0x81);
    EXPECT_FALSE(FromDer(longForm)) << "a long-form length for a short sequence";
    Bytes notInteger = Der(r, s);
    notInteger[2] = 0x03;
    EXPECT_FALSE(FromDer(notInteger));
}

} // namespace
