#include "service/migrations.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "service/database.h"
#include "service/password_hasher.h"

namespace quorstat::service {
namespace {

// Date-times are local civil times; *_at columns hold seconds (draws: service clock, sessions:
// real time). The demo account's password is "demo123".
constexpr const char* kAccountsTemplatesDraws = R"sql(
CREATE TABLE meta (
    key TEXT PRIMARY KEY,
    value TEXT NOT NULL
);
CREATE TABLE users (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    password_digest TEXT NOT NULL,
    manager INTEGER NOT NULL DEFAULT 0,
    plan_tail INTEGER NOT NULL DEFAULT 0,
    custom_tail INTEGER NOT NULL DEFAULT 0,
    custom_tail_short INTEGER NOT NULL DEFAULT 0,
    current_template_id INTEGER REFERENCES templates(id) ON DELETE SET NULL,
    templates_stamp TEXT NOT NULL DEFAULT ''
);
CREATE TABLE sessions (
    token TEXT PRIMARY KEY,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    started_at INTEGER NOT NULL,
    last_seen_at INTEGER NOT NULL,
    end_reason TEXT
);
CREATE INDEX sessions_by_user ON sessions(user_id, end_reason);
CREATE TABLE templates (
    id INTEGER PRIMARY KEY,
    owner_id INTEGER REFERENCES users(id) ON DELETE CASCADE,
    sort INTEGER NOT NULL,
    name TEXT NOT NULL,
    sign_name TEXT NOT NULL,
    win TEXT NOT NULL,
    loss TEXT NOT NULL,
    wait TEXT NOT NULL,
    remark TEXT NOT NULL,
    disp_code INTEGER NOT NULL,
    disp_success_ratio INTEGER NOT NULL,
    disp_multiple INTEGER NOT NULL,
    disp_project_down INTEGER NOT NULL,
    disp_issue_num INTEGER NOT NULL,
    disp_profit INTEGER NOT NULL,
    disp_profit_collect INTEGER NOT NULL,
    disp_position INTEGER NOT NULL,
    disp_hit INTEGER NOT NULL,
    disp_hit_now INTEGER NOT NULL,
    disp_count_num INTEGER NOT NULL
);
CREATE INDEX templates_by_owner ON templates(owner_id);
CREATE TABLE setups (
    name TEXT PRIMARY KEY,
    value TEXT NOT NULL,
    modify_time TEXT NOT NULL
);
CREATE TABLE draws (
    lottery_id INTEGER NOT NULL,
    issue INTEGER NOT NULL,
    numbers TEXT NOT NULL,
    draw_at INTEGER NOT NULL,
    PRIMARY KEY (lottery_id, issue)
);
CREATE INDEX draws_by_time ON draws(lottery_id, draw_at);
CREATE TABLE follows (
    follower_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    followee_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    PRIMARY KEY (follower_id, followee_id)
);
CREATE INDEX follows_by_followee ON follows(followee_id);

INSERT INTO templates VALUES (1, NULL, 0, '系统模板', 'Norvane', '中', '挂', '等待', 'Norvane',
                              1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0);
INSERT INTO meta VALUES ('system_templates_stamp', '2015-11-06 00:00:00'),
                        ('last_stamp', '2015-11-06 00:00:00');
INSERT INTO setups VALUES ('QQWndFilter',
    'TXMenuWindow#QQ#消息盒子#电脑管家#桌面快捷清理#腾讯新闻#验证消息#每日精选#消息管理器#腾讯视频#FaceSelector#LivePropsWnd#视频通话#加速小火箭#加速工具#通用加速#游戏加速##',
    '2015-11-06 00:00:00');
INSERT INTO setups VALUES ('SystemTimeInterval',
    'RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#RefOwnPlanAfterBetNum=5#',
    '2015-11-06 00:00:00');
INSERT INTO users (name, password_digest) VALUES ('demo', '4bf2d8728120d052');
)sql";

// Money columns hold thousandths of a yuan; *_at columns service-clock seconds; days the
// service-clock second their day begins. Cleared plans stay for the rankings.
constexpr const char* kPlansRankings = R"sql(
ALTER TABLE follows ADD COLUMN followed_at INTEGER NOT NULL DEFAULT 0;
ALTER TABLE users ADD COLUMN follows_stamp TEXT NOT NULL DEFAULT '';
CREATE TABLE plan_boards (
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    lottery_id INTEGER NOT NULL,
    play_id INTEGER NOT NULL,
    share INTEGER NOT NULL DEFAULT 0,
    stamp TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (user_id, lottery_id, play_id)
);
CREATE TABLE board_stamps (
    lottery_id INTEGER NOT NULL,
    play_id INTEGER NOT NULL,
    stamp TEXT NOT NULL,
    PRIMARY KEY (lottery_id, play_id)
);
CREATE TABLE plans (
    id INTEGER PRIMARY KEY,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    lottery_id INTEGER NOT NULL,
    play_id INTEGER NOT NULL,
    positions TEXT NOT NULL,
    unit_cost INTEGER NOT NULL,
    prize INTEGER NOT NULL,
    first_issue INTEGER NOT NULL,
    last_issue INTEGER NOT NULL,
    multiples TEXT NOT NULL,
    numbers TEXT NOT NULL,
    bet_count INTEGER NOT NULL,
    bet_time TEXT NOT NULL,
    state INTEGER NOT NULL DEFAULT 0,
    reached INTEGER NOT NULL DEFAULT 1,
    next_issue INTEGER NOT NULL,
    next_draw_at INTEGER NOT NULL,
    stake INTEGER NOT NULL DEFAULT 0,
    winnings INTEGER NOT NULL DEFAULT 0,
    hit_positions TEXT NOT NULL DEFAULT '',
    draw_numbers TEXT NOT NULL DEFAULT '',
    decided_at INTEGER,
    modified TEXT NOT NULL,
    cleared INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX plans_by_owner ON plans(user_id, lottery_id, play_id, cleared);
CREATE INDEX plans_by_board ON plans(lottery_id, play_id, cleared);
CREATE INDEX plans_waiting ON plans(state, next_draw_at);
CREATE TABLE online_days (
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    day INTEGER NOT NULL,
    seconds INTEGER NOT NULL,
    PRIMARY KEY (user_id, day)
);
CREATE TABLE daily_points (
    lottery_id INTEGER NOT NULL,
    play_id INTEGER NOT NULL,
    day INTEGER NOT NULL,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    bet_points REAL NOT NULL,
    reward_points REAL NOT NULL,
    PRIMARY KEY (lottery_id, play_id, day, user_id)
);
CREATE TABLE ranking_entries (
    list TEXT NOT NULL,
    panel INTEGER NOT NULL,
    lottery_id INTEGER NOT NULL,
    play_id INTEGER NOT NULL,
    rank INTEGER NOT NULL,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    value REAL NOT NULL,
    previous_rank INTEGER NOT NULL,
    PRIMARY KEY (list, lottery_id, play_id, panel, rank)
);
CREATE INDEX ranking_entries_by_user ON ranking_entries(list, lottery_id, play_id, panel, user_id);
)sql";

// Older services stored the digest the client sends, which logs in as it stands.
void hashStoredPasswords(Database& db, const PasswordHasher& passwords) {
    db.exec("ALTER TABLE users ADD COLUMN password_hash TEXT NOT NULL DEFAULT ''");
    std::vector<std::pair<std::int64_t, std::string>> digests;
    for (Statement row = db.query("SELECT id, password_digest FROM users"); row.step();)
        digests.emplace_back(row.integer(0), row.text(1));
    Statement update = db.query("UPDATE users SET password_hash = ?1 WHERE id = ?2");
    for (const auto& [id, digest] : digests) {
        update.bindAll(passwords.hash(digest), id);
        update.run();
        update.reset();
    }
    db.exec("ALTER TABLE users DROP COLUMN password_digest");
}

int schemaVersion(Database& db) {
    Statement statement = db.query("PRAGMA user_version");
    statement.step();
    return static_cast<int>(statement.integer(0));
}

}  // namespace

void migrate(Database& db, const PasswordHasher& passwords) {
    const std::function<void()> steps[] = {
        [&] { db.exec(kAccountsTemplatesDraws); },
        [&] { db.exec(kPlansRankings); },
        [&] { hashStoredPasswords(db, passwords); },
    };
    const int version = schemaVersion(db);
    if (version > static_cast<int>(std::size(steps)))
        throw std::runtime_error("the database was written by a newer service (schema " +
                                 std::to_string(version) + ")");
    for (int step = version; step < static_cast<int>(std::size(steps)); ++step) {
        Database::Transaction transaction(db);
        steps[step]();
        db.exec("PRAGMA user_version = " + std::to_string(step + 1));
        transaction.commit();
    }
}

}  // namespace quorstat::service
