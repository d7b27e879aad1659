// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tables of a measure database, as the recording side creates them.
namespace Schema {

constexpr const char* campaign =
    "CREATE TABLE campaign (camp_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT NULL,"
    "camp_date_begin DATETIME NULL,camp_date_end DATETIME NULL,date_created DATETIME NULL,"
    "camp_store_mode INTEGER DEFAULT 0,camp_title VARCHAR(255) NOT NULL DEFAULT '',"
    "camp_comment TEXT NOT NULL DEFAULT '');";
// The recording side's text also holds three CREATE INDEX statements after this one, which SQLite
// never ran; the driver refuses several statements at once, so only the table is created.
constexpr const char* campaignDetails =
    "CREATE TABLE campaign_details (cpd_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT NULL,"
    "cpd_date DATETIME NULL,campaign_camp_id INTEGER UNSIGNED NOT NULL,cpd_status TINYINT UNSIGNED NULL DEFAULT 0,"
    "cpd_attempt TINYINT UNSIGNED NULL DEFAULT 0,last_updated DATETIME NULL,"
    "cpd_max_time DATETIME DEFAULT '0000-00-00 00:00:00');";
constexpr const char* measure =
    "CREATE TABLE `measure` (`meas_id` INTEGER PRIMARY KEY AUTOINCREMENT,`meas_date` INTEGER,"
    "`meas_speed` TINYINT,`meas_direction` TINYINT);";
// Single-direction radars write no direction column.
constexpr const char* measureOneDirection =
    "CREATE TABLE `measure` (`meas_id` INTEGER PRIMARY KEY AUTOINCREMENT,`meas_date` INTEGER,"
    "`meas_speed` TINYINT);";

}   // namespace Schema
