// The ordered, editable view and its coherence with the keyed view.
#include <gtest/gtest.h>

#include "test_util.h"

using dict::BrowseView;
using dict::FieldValue;
using dict::Status;
using dicttest::rec;
using dicttest::TempDir;

namespace {

class Browse : public ::testing::Test {
protected:
    void openWith(const std::vector<dict::DictRecord>& records) {
        const std::string path = m_dir.file("dict.db");
        ASSERT_TRUE(dict::DictionaryStore::create(path, records).isOk());
        Status s = dict::DictionaryStore::open(path, &m_store);
        ASSERT_TRUE(s.isOk()) << s.message();
    }
    // Re-reads the file from disk, to check that writes reached it.
    std::unique_ptr<dict::DictionaryStore> reopen() {
        std::unique_ptr<dict::DictionaryStore> other;
        EXPECT_TRUE(dict::DictionaryStore::open(m_dir.file("dict.db"), &other).isOk());
        return other;
    }
    BrowseView& bv() { return m_store->browse(); }
    std::string word() {
        FieldValue v;
        Status s = bv().field("Word_en", &v);
        if (s.isOk() && v) return *v;
        const std::string code = std::to_string(s.code());
        return "<" + code + ">";
    }
    std::vector<std::string> headwords(const dict::DictionaryStore& store) {
        std::vector<std::string> out;
        store.forEach([&](const dict::DictRecord& r) { out.push_back(*r[0]); });
        return out;
    }

    TempDir m_dir;
    std::unique_ptr<dict::DictionaryStore> m_store;
};

const std::vector<dict::DictRecord> kThree = {
    rec("cat", {{dict::kWordNoun, "แมว"}}),
    rec("Bird", {{dict::kWordNoun, "นก"}}),
    rec("apple", {{dict::kWordNoun, "แอปเปิล"}}),
};

}  // namespace

TEST_F(Browse, OrderIgnoresCaseAndPositionsCount) {
    openWith({rec("cat"), rec("Bird"), rec("apple"), rec("_x"), rec("Zoo")});
    EXPECT_EQ(headwords(*m_store), (std::vector<std::string>{"_x", "apple", "Bird", "cat", "Zoo"}));
    ASSERT_TRUE(bv().moveLast().isOk());
    EXPECT_EQ(word(), "Zoo");
    EXPECT_EQ(bv().absolutePosition(), 4);
    ASSERT_TRUE(bv().moveFirst().isOk());
    EXPECT_EQ(bv().recordCount(), 5);
    std::vector<std::string> seen;
    for (int i = 0; !bv().eof(); ++i) {
        EXPECT_EQ(bv().absolutePosition(), i);
        seen.push_back(word());
        ASSERT_TRUE(bv().moveNext().isOk());
    }
    EXPECT_EQ(seen, headwords(*m_store));
}

TEST_F(Browse, MovesAtTheEdges) {
    openWith(kThree);
    ASSERT_TRUE(bv().moveLast().isOk());
    EXPECT_TRUE(bv().moveNext().isOk());
    EXPECT_TRUE(bv().eof());
    EXPECT_FALSE(bv().bof());
    EXPECT_EQ(bv().absolutePosition(), -1);
    EXPECT_EQ(word(), "<3021>");
    EXPECT_TRUE(bv().moveNext().isNoCurrentRecord());
    ASSERT_TRUE(bv().movePrevious().isOk());  // from EOF back onto the last record
    EXPECT_EQ(word(), "cat");

    ASSERT_TRUE(bv().moveFirst().isOk());
    EXPECT_TRUE(bv().movePrevious().isOk());
    EXPECT_TRUE(bv().bof());
    EXPECT_FALSE(bv().eof());
    EXPECT_EQ(word(), "<3021>");
    EXPECT_TRUE(bv().movePrevious().isNoCurrentRecord());
    ASSERT_TRUE(bv().moveNext().isOk());
    EXPECT_EQ(word(), "apple");
}

TEST_F(Browse, EmptyViewHasNoCurrentRecord) {
    openWith({});
    EXPECT_TRUE(bv().moveFirst().isNoCurrentRecord());
    EXPECT_TRUE(bv().moveLast().isNoCurrentRecord());
    EXPECT_TRUE(bv().moveNext().isNoCurrentRecord());
    EXPECT_TRUE(bv().movePrevious().isNoCurrentRecord());
    EXPECT_TRUE(bv().edit().isNoCurrentRecord());
    EXPECT_TRUE(bv().remove().isNoCurrentRecord());
    BrowseView::Bookmark mark;
    EXPECT_TRUE(bv().bookmark(&mark).isNoCurrentRecord());
    EXPECT_EQ(bv().absolutePosition(), -1);
    EXPECT_EQ(word(), "<3021>");
    EXPECT_TRUE(bv().setField(1, "x").isNoCurrentRecord());  // nothing pending
}

TEST_F(Browse, FindFirstUsesKeySemanticsAndKeepsPositionOnMiss) {
    openWith({rec("it's", {{dict::kWordNoun, "มัน"}}), rec("a'b' OR '1'='1"), rec("zero")});
    ASSERT_TRUE(bv().moveLast().isOk());
    ASSERT_TRUE(bv().findFirst("IT'S").isOk());
    EXPECT_FALSE(bv().noMatch());
    EXPECT_EQ(word(), "it's");
    ASSERT_TRUE(bv().findFirst("a'b' or '1'='1").isOk());
    EXPECT_EQ(word(), "a'b' OR '1'='1");
    for (const char* miss : {"its", "' OR '1'='1", "it's ", ""}) {
        ASSERT_TRUE(bv().findFirst(miss).isOk());
        EXPECT_TRUE(bv().noMatch()) << miss;
        EXPECT_EQ(word(), "a'b' OR '1'='1");
    }
}

TEST_F(Browse, AddStoresOnlyTheFieldsWrittenAndLookupSeesIt) {
    openWith(kThree);
    m_store->lookup().seek("dog");
    EXPECT_TRUE(m_store->lookup().noMatch());
    ASSERT_TRUE(bv().moveLast().isOk());
    ASSERT_TRUE(bv().addNew().isOk());
    EXPECT_TRUE(bv().addPending());
    for (int pos = 0; pos < dict::kFieldCount; ++pos) {
        FieldValue v = "sentinel";
        ASSERT_TRUE(bv().field(pos, &v).isOk());
        EXPECT_EQ(v, std::nullopt) << pos;
    }
    ASSERT_TRUE(bv().setField("Word_en", "Dog").isOk());
    ASSERT_TRUE(bv().setField("word_VERB", "ไล่").isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_FALSE(bv().editPending());
    EXPECT_EQ(word(), "cat");  // the record current before the add stays current
    EXPECT_EQ(bv().recordCount(), 4);
    EXPECT_EQ(bv().absolutePosition(), 2);  // "Dog" sorts after "cat"

    m_store->lookup().seek("DOG");
    ASSERT_FALSE(m_store->lookup().noMatch());
    EXPECT_EQ(*m_store->lookup().current(), rec("Dog", {{dict::kWordVerb, "ไล่"}}));
    auto again = reopen();
    ASSERT_NE(again->find("dog"), nullptr);
    EXPECT_EQ(*again->find("dog"), rec("Dog", {{dict::kWordVerb, "ไล่"}}));
}

TEST_F(Browse, DuplicateKeyLeavesTableUnchangedAndRecordPending) {
    openWith(kThree);
    const struct {
        bool add;
        const char* word;
    } cases[] = {{true, "BIRD"}, {true, "cat"}, {false, "Apple"}, {false, "bird"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(bv().findFirst("cat").isOk());
        ASSERT_TRUE((c.add ? bv().addNew() : bv().edit()).isOk());
        ASSERT_TRUE(bv().setField(0, c.word).isOk());
        ASSERT_TRUE(bv().setField(1, "changed").isOk());
        Status s = bv().update();
        EXPECT_TRUE(s.isDuplicateKey()) << c.word << ": " << s.message();
        EXPECT_EQ(s.code(), 3022);
        EXPECT_TRUE(bv().editPending());
        EXPECT_EQ(bv().addPending(), c.add);
        EXPECT_EQ(word(), c.word);  // reads show the pending record
        bv().cancelUpdate();
        EXPECT_EQ(word(), "cat");
        EXPECT_EQ(bv().recordCount(), 3);
        auto again = reopen();
        EXPECT_EQ(headwords(*again), (std::vector<std::string>{"apple", "Bird", "cat"}));
        EXPECT_EQ((*again->find("cat"))[1], "แมว");
        EXPECT_EQ((*m_store->find("cat"))[1], "แมว");
    }
}

TEST_F(Browse, PendingAddCanBeCorrectedAndSavedAgain) {
    openWith(kThree);
    ASSERT_TRUE(bv().addNew().isOk());
    ASSERT_TRUE(bv().setField(0, "Cat").isOk());
    ASSERT_TRUE(bv().update().isDuplicateKey());
    ASSERT_TRUE(bv().setField(0, "cats").isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_EQ(bv().recordCount(), 4);
    EXPECT_NE(m_store->find("CATS"), nullptr);
}

TEST_F(Browse, EditChangesMeaningAndHeadwordInBothViews) {
    openWith(kThree);
    ASSERT_TRUE(bv().findFirst("bird").isOk());
    ASSERT_TRUE(bv().edit().isOk());
    ASSERT_TRUE(bv().setField(dict::kWordNoun, "นกน้อย").isOk());
    ASSERT_TRUE(bv().setField(dict::kWordRead, "").isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_EQ((*m_store->find("BIRD"))[dict::kWordNoun], "นกน้อย");
    EXPECT_EQ((*m_store->find("BIRD"))[dict::kWordRead], "");

    // Same headword in another letter case is the record itself, not a duplicate.
    ASSERT_TRUE(bv().edit().isOk());
    ASSERT_TRUE(bv().setField(0, "BIRD").isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_EQ(word(), "BIRD");

    ASSERT_TRUE(bv().edit().isOk());
    ASSERT_TRUE(bv().setField(0, "zebra").isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_EQ(word(), "zebra");
    EXPECT_EQ(bv().absolutePosition(), 2);
    EXPECT_EQ(m_store->find("bird"), nullptr);
    m_store->lookup().seek("Zebra");
    ASSERT_FALSE(m_store->lookup().noMatch());
    FieldValue v;
    ASSERT_TRUE(m_store->lookup().field(dict::kWordNoun, &v).isOk());
    EXPECT_EQ(v, "นกน้อย");
    EXPECT_EQ(headwords(*m_store), (std::vector<std::string>{"apple", "cat", "zebra"}));
    EXPECT_EQ(headwords(*reopen()), (std::vector<std::string>{"apple", "cat", "zebra"}));
    ASSERT_TRUE(bv().movePrevious().isOk());
    EXPECT_EQ(word(), "cat");
}

TEST_F(Browse, AChangeOfARecordAnotherProgramRemovedIsReported) {
    openWith(kThree);
    const auto other = reopen();
    ASSERT_TRUE(other->browse().findFirst("cat").isOk());
    ASSERT_TRUE(other->browse().remove().isOk());
    ASSERT_TRUE(other->browse().findFirst("Bird").isOk());
    ASSERT_TRUE(other->browse().remove().isOk());

    ASSERT_TRUE(bv().findFirst("cat").isOk());
    ASSERT_TRUE(bv().edit().isOk());
    ASSERT_TRUE(bv().setField(dict::kWordNoun, "แมวเหมียว").isOk());
    const Status s = bv().update();
    EXPECT_FALSE(s.isOk());
    EXPECT_NE(s.message().find("another program removed the record"), std::string::npos)
        << s.message();
    EXPECT_TRUE(bv().editPending());  // kept for the user to cancel
    EXPECT_EQ(reopen()->find("cat"), nullptr);
    // Deleting what is gone already leaves it gone.
    bv().cancelUpdate();
    ASSERT_TRUE(bv().findFirst("Bird").isOk());
    EXPECT_TRUE(bv().remove().isOk());
}

TEST_F(Browse, DeleteKeepsRecordCurrentButUnusable) {
    const struct {
        const char* victim;
        const char* afterNext;  // record reached by moveNext, nullptr: EOF
        const char* afterPrevious;
    } cases[] = {{"b", "c", "a"}, {"c", nullptr, "b"}, {"a", "b", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.victim);
        m_store.reset();
        std::filesystem::remove(m_dir.file("dict.db"));
        openWith({rec("a"), rec("b"), rec("c")});
        for (bool forward : {true, false}) {
            if (!forward) {
                m_store.reset();
                std::filesystem::remove(m_dir.file("dict.db"));
                openWith({rec("a"), rec("b"), rec("c")});
            }
            ASSERT_TRUE(bv().findFirst(c.victim).isOk());
            m_store->lookup().seek(c.victim);
            ASSERT_TRUE(bv().remove().isOk());
            EXPECT_TRUE(m_store->lookup().noMatch());
            EXPECT_EQ(m_store->find(c.victim), nullptr);
            EXPECT_EQ(word(), "<3021>");
            EXPECT_TRUE(bv().edit().isNoCurrentRecord());
            EXPECT_TRUE(bv().remove().isNoCurrentRecord());
            BrowseView::Bookmark mark;
            EXPECT_TRUE(bv().bookmark(&mark).isNoCurrentRecord());
            EXPECT_EQ(bv().recordCount(), 2);
            const char* expected = forward ? c.afterNext : c.afterPrevious;
            ASSERT_TRUE((forward ? bv().moveNext() : bv().movePrevious()).isOk());
            if (expected) {
                EXPECT_EQ(word(), expected);
            } else {
                EXPECT_TRUE(forward ? bv().eof() : bv().bof());
            }
            EXPECT_EQ(reopen()->size(), 2u);
        }
    }
}

TEST_F(Browse, DeletingTheOnlyRecordEmptiesTheView) {
    openWith({rec("only")});
    ASSERT_TRUE(bv().moveFirst().isOk());
    ASSERT_TRUE(bv().remove().isOk());
    EXPECT_EQ(bv().recordCount(), 0);
    ASSERT_TRUE(bv().moveNext().isOk());
    EXPECT_TRUE(bv().eof());
    EXPECT_TRUE(bv().moveLast().isNoCurrentRecord());
    EXPECT_EQ(reopen()->size(), 0u);
}

TEST_F(Browse, BookmarkWhilePendingAddNamesThePreviousRecord) {
    openWith(kThree);
    ASSERT_TRUE(bv().findFirst("bird").isOk());
    ASSERT_TRUE(bv().addNew().isOk());
    ASSERT_TRUE(bv().setField(0, "new").isOk());
    BrowseView::Bookmark mark;
    ASSERT_TRUE(bv().bookmark(&mark).isOk());
    ASSERT_TRUE(bv().setBookmark(mark).isOk());
    EXPECT_FALSE(bv().editPending());  // the pending add is dropped
    EXPECT_EQ(word(), "Bird");
    EXPECT_EQ(m_store->find("new"), nullptr);

    ASSERT_TRUE(bv().edit().isOk());
    ASSERT_TRUE(bv().setField(1, "changed").isOk());
    ASSERT_TRUE(bv().moveFirst().isOk());  // any move drops a pending change too
    ASSERT_TRUE(bv().setBookmark(mark).isOk());
    FieldValue v;
    ASSERT_TRUE(bv().field(1, &v).isOk());
    EXPECT_EQ(v, "นก");

    ASSERT_TRUE(bv().remove().isOk());
    EXPECT_FALSE(bv().setBookmark(mark).isOk());  // a removed record cannot be reached
    EXPECT_FALSE(bv().setBookmark({1, 2}).isOk());
}

TEST_F(Browse, UpdateWithoutPendingRecordFails) {
    openWith(kThree);
    EXPECT_FALSE(bv().update().isOk());
    ASSERT_TRUE(bv().addNew().isOk());
    EXPECT_FALSE(bv().update().isOk());  // no headword
    EXPECT_TRUE(bv().addPending());
    EXPECT_FALSE(bv().setField("Word_nope", "x").isOk());
    EXPECT_FALSE(bv().setField(10, "x").isOk());
}

TEST_F(Browse, PhraseStartsFollowEveryWrite) {
    openWith({rec("look at", {{dict::kWordVerb, "มองดู"}}), rec("look", {{dict::kWordVerb, "มอง"}}),
              rec("look at the sky", {{dict::kWordVerb, "มองฟ้า"}})});
    const dict::LookupView& lv = m_store->lookup();
    EXPECT_TRUE(lv.startsPhrase("LOOK"));
    EXPECT_FALSE(lv.startsPhrase("at"));
    EXPECT_FALSE(lv.startsPhrase("give"));
    // Every prefix before a space counts, and only those.
    EXPECT_TRUE(lv.startsPhrase("look AT"));
    EXPECT_TRUE(lv.startsPhrase("look at the"));
    EXPECT_FALSE(lv.startsPhrase("look at the sky"));
    EXPECT_FALSE(lv.startsPhrase("look a"));

    ASSERT_TRUE(bv().addNew().isOk());
    ASSERT_TRUE(bv().setField(dict::kWordEn, std::string("give up")).isOk());
    ASSERT_TRUE(bv().setField(dict::kWordVerb, std::string("ยอมแพ้")).isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_TRUE(lv.startsPhrase("Give"));

    ASSERT_TRUE(bv().findFirst("give up").isOk());
    ASSERT_TRUE(bv().edit().isOk());
    ASSERT_TRUE(bv().setField(dict::kWordEn, std::string("hand in")).isOk());
    ASSERT_TRUE(bv().update().isOk());
    EXPECT_FALSE(lv.startsPhrase("give"));
    EXPECT_TRUE(lv.startsPhrase("hand"));

    // A prefix stays while any headword goes on past it.
    ASSERT_TRUE(bv().findFirst("look at").isOk());
    ASSERT_TRUE(bv().remove().isOk());
    EXPECT_TRUE(lv.startsPhrase("look at"));
    ASSERT_TRUE(bv().findFirst("look at the sky").isOk());
    ASSERT_TRUE(bv().remove().isOk());
    EXPECT_FALSE(lv.startsPhrase("look"));
    EXPECT_FALSE(lv.startsPhrase("look at"));
    EXPECT_TRUE(reopen()->lookup().startsPhrase("hand"));
}
