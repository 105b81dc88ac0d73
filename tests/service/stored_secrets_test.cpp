#include <sys/stat.h>

#include <regex>

#include "core/text_codec.h"
#include "service/password_digest.h"
#include "service/password_hasher.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

class StoredSecretsTest : public ServiceTest {
protected:
    std::string storedHash(const std::string& name) {
        ServiceContext& context = app_->context();
        std::lock_guard lock(context.lock);
        return context.accounts.passwordHash(context.accounts.findUser(name)->id);
    }
    std::string loginReply(const std::string& name, const std::string& password) {
        return post("BetUserLogin.asp", loginBody(name, password)).substr(0, 2);
    }
    static unsigned modeOf(const std::string& path) {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 01000;
    }
};

TEST_F(StoredSecretsTest, PasswordsAreKeptAsSaltedSlowHashesOfTheDigest) {
    addUser("alice", "same");
    addUser("bob", "same");
    const std::string alice = storedHash("alice");
    const std::string bob = storedHash("bob");
    const std::regex form(R"(pbkdf2-sha512\$1000\$[0-9a-f]{32}\$[0-9a-f]{64})");
    EXPECT_TRUE(std::regex_match(alice, form)) << alice;
    EXPECT_TRUE(std::regex_match(bob, form)) << bob;
    EXPECT_NE(alice, bob);
    EXPECT_EQ(alice.find(PasswordDigest("same")), std::string::npos);
    EXPECT_EQ(loginReply("alice", "same"), "1|");
    EXPECT_EQ(loginReply("bob", "same"), "1|");

    const std::string digest = PasswordDigest("same");
    const struct {
        std::string digest;
        std::string stored;
        bool matches;
    } cases[] = {
        {digest, alice, true},
        {PasswordDigest("Same"), alice, false},
        {digest, digest, false},
        {digest, "", false},
        {digest, "pbkdf2-sha512$0$" + alice.substr(19), false},
        {digest, "pbkdf2-sha256" + alice.substr(13), false},
        {digest, alice.substr(0, alice.size() - 1), false},
        {digest, alice.substr(0, alice.size() - 1) + (alice.back() == '0' ? "1" : "0"), false},
    };
    for (const auto& test : cases)
        EXPECT_EQ(PasswordHasher::verify(test.digest, test.stored), test.matches) << test.stored;
}

// A database of the service before the hashes: the digest the client sends, as it stands.
TEST_F(StoredSecretsTest, StoredDigestsOfAnOlderServiceAreHashed) {
    addUser("old1", "pw1");
    addUser("old2", "pw1");
    {
        ServiceContext& context = app_->context();
        std::lock_guard lock(context.lock);
        context.db.exec("ALTER TABLE users ADD COLUMN password_digest TEXT NOT NULL DEFAULT ''");
        context.db.query("UPDATE users SET password_digest = ?1", PasswordDigest("pw1")).run();
        context.db
            .query("UPDATE users SET password_digest = ?1 WHERE name = 'demo'",
                   PasswordDigest("demo123"))
            .run();
        context.db.exec("ALTER TABLE users DROP COLUMN password_hash; PRAGMA user_version = 2");
    }
    reopenService();
    for (const char* name : {"demo", "old1", "old2"})
        EXPECT_TRUE(storedHash(name).starts_with("pbkdf2-sha512$1000$")) << name;
    EXPECT_NE(storedHash("old1"), storedHash("old2"));
    EXPECT_EQ(loginReply("old1", "pw1"), "1|");
    EXPECT_EQ(loginReply("old2", "pw2"), "0|");
    EXPECT_EQ(loginReply("demo", "demo123"), "1|");
    ServiceContext& context = app_->context();
    std::lock_guard lock(context.lock);
    Statement digestColumn = context.db.query(
        "SELECT COUNT(*) FROM pragma_table_info('users') WHERE name = ?1", "password_digest");
    ASSERT_TRUE(digestColumn.step());
    EXPECT_EQ(digestColumn.integer(0), 0);
}

TEST_F(StoredSecretsTest, TheDatabaseFilesAreTheServiceUsersAlone) {
    const std::string path = app_->context().options.databasePath;
    addUser("alice", "secret");
    for (const char* suffix : {"", "-wal", "-shm"})
        EXPECT_EQ(modeOf(path + suffix), 0600u) << suffix;

    app_.reset();
    ::chmod(path.c_str(), 0644);
    ServiceOptions options = defaultOptions();
    options.databasePath = path;
    ServiceContext reopened(options, ServiceClock::systemMillis);
    EXPECT_EQ(modeOf(path), 0600u);
}

}  // namespace
}  // namespace quorstat::service
