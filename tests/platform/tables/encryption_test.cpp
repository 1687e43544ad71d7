// The files are encrypted, keyed by the registered passwords, and refused when they are not.
#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <sched.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "platform/runtime/errors.h"
#include "platform/tables/derivation_queue.h"
#include "platform/tables/key_derivation.h"
#include "table_fixture.h"

using tables::TSession;
using tables::TTable;

namespace tables_test {
namespace {

std::string ReadBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs a shell command and gives its standard output.
std::string Output(const std::string &command) {
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string output;
    char chunk[4096];
    for (size_t read; (read = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, read);
    pclose(pipe);
    return output;
}

// The sqlcipher shell on `path`, keyed with the raw key of `password` and the engine's settings.
std::string Shell(const std::string &path, const char *password, const std::string &sql) {
    const std::string key = tables::RawKeyLiteral(tables::DeriveTableKey(password));
    return Output("sqlcipher '" + path + "' \"PRAGMA key = \\\"" + key +
                  "\\\"; PRAGMA cipher_page_size = 4096; " + sql + "\" 2>&1");
}

class EncryptionTest : public TableTest {
protected:
    // Creates GenData.db with one record holding `text` in field 21.
    void CreateJobTable(const std::string &text) {
        TSession session;
        TTable jobs(session);
        Configure(jobs, "GenData.db", GenDataStructure());
        jobs.Open();
        jobs.Append();
        jobs.Fields[21].SetAsString(text);
        jobs.Post();
    }
    // The message of the EDatabaseError raised when opening GenData.db with `passwords`.
    // `expected` is the password the table expects its file keyed with, when given.
    std::string OpenError(std::initializer_list<const char *> passwords, bool create = false,
                          const char *expected = nullptr) {
        TSession session;
        for (const char *password : passwords) session.AddPassword(password);
        TTable jobs(session);
        jobs.SetTableName(PathOf("GenData.db"));
        jobs.SetStructure(GenDataStructure());
        if (create) jobs.SetNewFilePassword(kJobPassword);
        if (expected) jobs.SetExpectedPassword(expected);
        try {
            jobs.Open();
        } catch (const EDatabaseError &error) {
            EXPECT_FALSE(jobs.Active());
            return error.what();
        }
        return "opened";
    }
};

TEST_F(EncryptionTest, StoredTextDoesNotAppearInTheFile) {
    const std::string secret = "Przedsiebiorstwo Taksowkowe PLAINTEXT-MARKER 0123456789";
    CreateJobTable(secret);
    const std::string bytes = ReadBytes(PathOf("GenData.db"));
    ASSERT_GT(bytes.size(), 4096u);
    EXPECT_EQ(bytes.find("PLAINTEXT-MARKER"), std::string::npos);
    EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
    EXPECT_EQ(bytes.find("records"), std::string::npos);  // not even the schema
    // The same with strings(1), as an outside reader would look.
    const std::string printable = Output("strings -n 6 '" + PathOf("GenData.db") + "'");
    ASSERT_FALSE(printable.empty());
    EXPECT_EQ(printable.find("PLAINTEXT"), std::string::npos);
}

TEST_F(EncryptionTest, OpensWithWhicheverRegisteredPasswordFits) {
    CreateJobTable("x");
    EXPECT_EQ(OpenError({kResultsPassword, kJobPassword}), "opened");
    EXPECT_EQ(OpenError({kJobPassword}), "opened");
}

// The keys are derived on threads of their own; they must be the fixed PBKDF2 keys every existing
// file was written with, whichever of many passwords registered together fits the file.
TEST_F(EncryptionTest, KeysDerivedTogetherAreTheFixedKeysOfTheirPasswords) {
    EXPECT_EQ(tables::RawKeyLiteral(tables::DeriveTableKey(kJobPassword)),
              "x'CEA047DD312393655966A5168BED0011FB57267E7134C544FADD70F86569F05E'");
    CreateJobTable("x");
    EXPECT_EQ(OpenError({"a1", "b2", "c3", kResultsPassword, "d4", "e5", kJobPassword, "f6"}), "opened");
    const std::string wrong = OpenError({"a1", "b2", "c3", kResultsPassword, "d4", "e5", "f6"});
    EXPECT_NE(wrong.find("GenData.db: wrong password"), std::string::npos) << wrong;
}

// More passwords than threads: the queue keeps one core free (one thread in all on the SHA-256
// instructions), and each key is the password's fixed key whether a thread or the asking caller
// derived it. A queue dropped with keys still waiting ends without deriving them.
TEST(DerivationQueueTest, KeysComeFromFewThreadsOrTheCallerAndAreTheFixedOnes) {
    cpu_set_t set;
    CPU_ZERO(&set);
    ASSERT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
    const size_t limit = tables::HasShaInstructions() ? 1 : std::max(1, CPU_COUNT(&set) - 1);
    std::vector<std::string> passwords;
    for (size_t i = 0; i < limit + 3; ++i) passwords.push_back("password " + std::to_string(i));
    {
        tables::DerivationQueue queue;
        std::vector<std::shared_future<tables::TableKey>> keys;
        for (const std::string &password : passwords) keys.push_back(queue.Add(password));
        queue.TakeUp(passwords.back());  // still waiting: derived here
        for (size_t i = 0; i < passwords.size(); ++i)
            EXPECT_EQ(keys[i].get(), tables::DeriveTableKey(passwords[i])) << passwords[i];
        EXPECT_LE(queue.Threads(), limit);
        EXPECT_GE(queue.Threads(), 1u);
    }
    tables::DerivationQueue dropped;
    for (const std::string &password : passwords) dropped.Add(password);
}

// The expected password is tried first; a file keyed otherwise still opens with a registered
// password that fits, and one that fits neither is refused as before.
TEST_F(EncryptionTest, TheExpectedPasswordOpensTheFileBesideTheRegisteredOnes) {
    CreateJobTable("x");
    struct Case {
        std::initializer_list<const char *> registered;
        const char *expected;
        bool opens;
    };
    const Case cases[] = {
        {{kResultsPassword, kJobPassword}, kJobPassword, true},
        {{kResultsPassword, kJobPassword}, kResultsPassword, true},
        {{kResultsPassword}, kJobPassword, true},
        {{}, kJobPassword, true},
        {{kJobPassword}, "hq4TnwZpk27cs", true},
        {{kResultsPassword}, "hq4TnwZpk27cs", false},
    };
    for (const Case &c : cases) {
        const std::string message = OpenError(c.registered, false, c.expected);
        if (c.opens)
            EXPECT_EQ(message, "opened") << c.expected;
        else
            EXPECT_NE(message.find("GenData.db: wrong password"), std::string::npos) << message;
    }
}

// The derivation is the library's PBKDF2-HMAC-SHA256 with the fixed salt and count, for passwords
// shorter than, as long as and longer than the hash's block (a longer one is hashed first); alone,
// and several side by side on one to four SHA-256 lanes where the CPU has the instructions, or
// one after another where it has not.
TEST_F(EncryptionTest, TheDerivedKeyIsTheLibrarysPbkdf2OfThePassword) {
    const std::string passwords[] = {"",
                                     kJobPassword,
                                     "w3R9K.&pqM452",
                                     "zażółć gęślą jaźń",
                                     std::string(63, 'a'),
                                     std::string(64, 'b'),
                                     std::string(65, 'c'),
                                     std::string(300, '\xFF')};
    std::vector<std::string_view> views(std::begin(passwords), std::end(passwords));
    std::vector<tables::TableKey> expected;
    for (const std::string &password : passwords) {
        static constexpr std::string_view kSalt = "station tables / raw key v1";
        tables::TableKey key{};
        ASSERT_EQ(PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                                    reinterpret_cast<const unsigned char *>(kSalt.data()),
                                    static_cast<int>(kSalt.size()), 100000, EVP_sha256(),
                                    static_cast<int>(key.size()), key.data()),
                  1);
        expected.push_back(key);
    }
    EXPECT_EQ(tables::DeriveTableKey(passwords[1]), expected[1]);
    EXPECT_EQ(tables::DeriveTableKeys(views, false), expected) << "one after another";
    if (!tables::HasShaInstructions()) GTEST_SKIP() << "no SHA-256 instructions on this CPU";
    // Eight, seven, six and five passwords: a full batch of four, then four, three, two and one.
    for (size_t count = views.size(); count > tables::kMaxShaLanes; --count) {
        const std::vector<tables::TableKey> keys = tables::DeriveTableKeys(std::span(views).first(count), true);
        EXPECT_TRUE(std::equal(keys.begin(), keys.end(), expected.begin(), expected.begin() + count))
            << count << " side by side";
    }
}

TEST_F(EncryptionTest, RefusesWrongPasswordsAndFilesThatAreNotTables) {
    CreateJobTable("x");
    const std::string wrong = OpenError({kResultsPassword, "hq4TnwZpk27cs"});
    EXPECT_NE(wrong.find("GenData.db: wrong password"), std::string::npos) << wrong;
    EXPECT_NE(OpenError({}).find("wrong password"), std::string::npos);

    struct Case {
        const char *what;
        std::string content;
        const char *message;
    };
    std::string plain("SQLite format 3\0", 16);
    plain.resize(4096, '\0');
    std::string noise(8192, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 7919 % 251);
    const Case cases[] = {
        {"plain SQLite file", plain, "unencrypted SQLite database"},
        {"random bytes", noise, "wrong password, or the file is not a table"},
        {"text file", "hello\r\n", "wrong password, or the file is not a table"},
    };
    for (const Case &c : cases) {
        std::ofstream(PathOf("GenData.db"), std::ios::binary | std::ios::trunc) << c.content;
        const std::string message = OpenError({kJobPassword}, true);
        EXPECT_NE(message.find("GenData.db: "), std::string::npos) << c.what << ": " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
        EXPECT_EQ(ReadBytes(PathOf("GenData.db")), c.content) << c.what << ": the file was changed";
    }
}

TEST_F(EncryptionTest, RefusesAnotherStructureAndMissingFiles) {
    CreateJobTable("x");
    TSession session;
    session.AddPassword(kJobPassword);
    TTable table(session);
    table.SetTableName(PathOf("GenData.db"));
    table.SetStructure(ChildStructure(244));
    EXPECT_THROW(table.Open(), EDatabaseError);

    table.SetTableName(PathOf("WynikiD.db"));  // missing, and no password to create it with
    try {
        table.Open();
        FAIL();
    } catch (const EDatabaseError &error) {
        EXPECT_NE(std::string(error.what()).find("WynikiD.db: the table file does not exist"),
                  std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("WynikiD.db")));

    table.SetTableName(PathOf("no such folder/WynikiD.db"));
    table.SetNewFilePassword(kResultsPassword);
    try {
        table.Open();
        FAIL();
    } catch (const EDatabaseError &error) {
        EXPECT_NE(std::string(error.what()).find("WynikiD.db: cannot open the table file"), std::string::npos)
            << error.what();
    }
}

// The sqlcipher shell reads a table file with the raw key and the documented cipher settings, so
// the files do not depend on this build's defaults; files it makes that are not tables are refused.
TEST_F(EncryptionTest, TheSqlcipherShellAgreesOnKeyAndSettings) {
    if (Output("command -v sqlcipher").empty()) GTEST_SKIP() << "no sqlcipher shell";
    CreateJobTable("x");
    EXPECT_EQ(Shell(PathOf("GenData.db"), kJobPassword, "SELECT count(*) FROM records;"), "1\n");
    EXPECT_NE(
        Shell(PathOf("GenData.db"), kResultsPassword, "SELECT count(*) FROM records;").find("not a database"),
        std::string::npos);

    std::filesystem::remove(PathOf("GenData.db"));
    Shell(PathOf("GenData.db"), kJobPassword, "CREATE TABLE jobs(x); INSERT INTO jobs VALUES('x');");
    EXPECT_NE(OpenError({kJobPassword}).find("GenData.db: the file is not a table"), std::string::npos);

    std::filesystem::remove(PathOf("GenData.db"));
    Output("sqlcipher '" + PathOf("GenData.db") + "' 'CREATE TABLE jobs(x);'");  // no key: plain SQLite
    EXPECT_NE(OpenError({kJobPassword}, true).find("unencrypted SQLite database"), std::string::npos);
}

TEST_F(EncryptionTest, TheProcessHasNoUnencryptedSQLiteLoaded) {
    CreateJobTable("x");  // the engine is loaded and in use
    const std::string maps = ReadBytes("/proc/self/maps");
    EXPECT_NE(maps.find("libsqlcipher"), std::string::npos);
    EXPECT_EQ(maps.find("libsqlite3"), std::string::npos);
}

}  // namespace
}  // namespace tables_test
