<?xml version="1.0" encoding="UTF-8"?>
<!-- The season tables: the season report and the progressive and
     championship points reports import this. Their data files are column
     lists, one Row per member and column (columnid, columnname, data), and
     every row of a member carries memberid; the tables put the members down
     and the columns across, grouped by grade, best total first and, among
     equal totals, the lower member id first. The importing definition
     names its rows as the global $rows. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>
  <xsl:param name="data" select="''"/>

  <!-- The column that holds a member's total. -->
  <xsl:variable name="totalColumn" select="9999"/>

  <xsl:key name="member" match="Row" use="memberid"/>
  <xsl:key name="cell" match="Row" use="concat(memberid, ':', columnid)"/>
  <xsl:key name="column" match="Row" use="columnid"/>
  <xsl:key name="gradeTotal" match="Row[columnid = 9999]" use="gradename"/>

  <!-- One row for each column of the table. The last member has most of
       them (every trip, or every species met before him); the others are
       found among the rest, so that few rows pay for the grouping. -->
  <xsl:variable name="lastMember" select="$rows[last()]/memberid"/>
  <xsl:variable name="columns"
                select="$rows[memberid = $lastMember] |
                        $rows[not(key('cell', concat($lastMember, ':', columnid)))]
                             [generate-id() = generate-id(key('column', columnid)[1])]"/>

  <xsl:template name="styles">
    <style>
      body { font-family: 'DejaVu Sans'; font-size: 8.5pt; color: #222; }
      h1 { font-size: 15pt; color: #1f3a5f; margin: 0 0 2px 0; }
      h2 { font-size: 11pt; color: #1f3a5f; margin: 16px 0 4px 0; }
      .sub { color: #444; margin: 0 0 8px 0; }
      th { background: #1f3a5f; color: white; font-weight: bold; padding: 3px 3px; font-size: 8pt; }
      th.name { text-align: left; }
      td { padding: 2px 3px; }
      td.n { text-align: right; white-space: nowrap; }
      td.z { text-align: right; white-space: nowrap; color: #9aa4b0; }
      td.t { text-align: right; white-space: nowrap; font-weight: bold; background: #f1f4f8; }
      td.pos { text-align: right; color: #555; white-space: nowrap; }
      td.name { white-space: nowrap; }
      tr.grade td { background: #e8eef5; color: #1f3a5f; font-weight: bold; padding-top: 5px; }
      .small { color: #666; font-size: 7.5pt; }
      p.none { color: #666; font-style: italic; }
      <!-- Many columns: a smaller hand, so that a season of trips still fits across the page. -->
      <xsl:choose>
        <xsl:when test="count($columns) &gt; 20">td, th { font-size: 6pt; padding: 1px 1px; }</xsl:when>
        <xsl:when test="count($columns) &gt; 14">td, th { font-size: 6.5pt; padding: 1px 2px; }</xsl:when>
      </xsl:choose>
    </style>
  </xsl:template>

  <!-- The heading line under the title: division and season. -->
  <xsl:template name="subtitle">
    <xsl:param name="first"/>
    <p class="sub">
      <xsl:value-of select="$first/divisionname"/>
      <xsl:text> &#8212; </xsl:text>
      <xsl:value-of select="$first/seasondesc"/>
    </p>
  </xsl:template>

  <!-- The table: members down, columns across. $blank: what a missing
       cell shows; $prefix: put before each non-total column's name. -->
  <xsl:template name="cross-tab">
    <xsl:param name="blank" select="''"/>
    <xsl:param name="prefix" select="''"/>
    <xsl:variable name="totals" select="$rows[columnid = $totalColumn]"/>
    <table width="100%" cellspacing="0" class="grid">
      <thead><tr>
        <th style="white-space: nowrap;">Pos</th>
        <th class="name">Angler</th>
        <xsl:for-each select="$columns">
          <xsl:sort select="columnid" data-type="number"/>
          <th><xsl:if test="columnid != $totalColumn"><xsl:value-of select="$prefix"/></xsl:if><xsl:value-of select="columnname"/></th>
        </xsl:for-each>
      </tr></thead>
      <xsl:for-each select="$totals[generate-id() = generate-id(key('gradeTotal', gradename)[1])]">
        <xsl:sort select="number(not(normalize-space(gradename)))" data-type="number"/>
        <xsl:sort select="gradeposition" data-type="number"/>
        <xsl:sort select="gradename"/>
        <xsl:variable name="grade" select="gradename"/>
        <xsl:variable name="inGrade" select="key('gradeTotal', $grade)"/>
        <tr class="grade">
          <td colspan="{count($columns) + 2}">
            <xsl:choose>
              <xsl:when test="normalize-space($grade)"><xsl:value-of select="$grade"/></xsl:when>
              <xsl:otherwise>No grade</xsl:otherwise>
            </xsl:choose>
          </td>
        </tr>
        <xsl:for-each select="$inGrade">
          <xsl:sort select="data" data-type="number" order="descending"/>
          <xsl:sort select="memberid" data-type="number"/>
          <xsl:variable name="member" select="memberid"/>
          <xsl:variable name="mine" select="number(data)"/>
          <tr>
            <xsl:if test="position() mod 2 = 0"><xsl:attribute name="bgcolor">#f2f5f9</xsl:attribute></xsl:if>
            <td class="pos"><xsl:value-of select="count($inGrade[number(data) &gt; $mine]) + 1"/></td>
            <td class="name"><xsl:value-of select="fullname"/></td>
            <xsl:for-each select="$columns">
              <xsl:sort select="columnid" data-type="number"/>
              <xsl:variable name="cell" select="key('cell', concat($member, ':', columnid))"/>
              <xsl:choose>
                <xsl:when test="columnid = $totalColumn">
                  <td class="t"><xsl:value-of select="$cell/data"/></td>
                </xsl:when>
                <xsl:when test="not($cell)">
                  <td class="z"><xsl:value-of select="$blank"/></td>
                </xsl:when>
                <xsl:when test="number($cell/data) = 0">
                  <td class="z"><xsl:value-of select="$cell/data"/></td>
                </xsl:when>
                <xsl:otherwise>
                  <td class="n"><xsl:value-of select="$cell/data"/></td>
                </xsl:otherwise>
              </xsl:choose>
            </xsl:for-each>
          </tr>
        </xsl:for-each>
      </xsl:for-each>
    </table>
  </xsl:template>
</xsl:stylesheet>
