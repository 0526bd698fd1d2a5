<?xml version="1.0" encoding="UTF-8"?>
<!-- The trip result sheet. rptTrip05 ... rptTrip10 import this and set
     $columns, the number of species columns they show. The data files come
     from $data (the workstation's DATA folder). -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>
  <xsl:param name="data" select="''"/>
  <xsl:param name="columns" select="5"/>

  <xsl:variable name="scores" select="document(concat($data, 'rptTrip.xml'))/Data/Scores"/>
  <xsl:variable name="winners" select="document(concat($data, 'rptTripWinners.xml'))/Data/Scores"/>
  <xsl:variable name="trophies" select="document(concat($data, 'rptTripTrophy.xml'))/Data/Row"/>
  <xsl:variable name="first" select="$scores[1]"/>
  <xsl:key name="grade" match="Scores" use="gradename"/>

  <xsl:template match="/">
    <html>
      <head>
        <title>Trip Report</title>
        <xsl:if test="$columns &gt;= 6">
          <meta name="orientation" content="landscape"/>
        </xsl:if>
        <!-- Tables touch their cells with cellspacing="0" rather than
             border-collapse: the page looks the same and is laid out and
             drawn in half the time. -->
        <style>
          body { font-family: 'DejaVu Sans'; font-size: 9pt; color: #222; }
          h1 { font-size: 15pt; color: #1f3a5f; margin: 0 0 2px 0; }
          h2 { font-size: 11pt; color: #1f3a5f; margin: 14px 0 4px 0; }
          .trip { color: #444; margin: 0 0 8px 0; }
          th { background: #1f3a5f; color: white; font-weight: bold; padding: 3px 4px; }
          td { padding: 2px 4px; border-bottom: 1px solid #d8dee6; }
          td.n { text-align: right; white-space: nowrap; }
          td.name { white-space: nowrap; }
          th.sp { font-size: 8pt; }
          th.fix, th.word { white-space: nowrap; }
          tr.grade td { background: #e8eef5; color: #1f3a5f; font-weight: bold; padding-top: 5px; }
          tr.note td { color: #555; font-size: 7.5pt; border-bottom: 1px solid #d8dee6; }
          .small { color: #666; font-size: 7.5pt; }
          p.none { color: #666; font-style: italic; }
        </style>
        <!-- Eight species or more: a smaller hand and narrower padding, so
             that no heading breaks inside a word and the table keeps to
             the page. -->
        <xsl:if test="$columns &gt;= 8">
          <style>
            body { font-size: 8pt; }
            th { padding: 3px 2px; }
            td { padding: 2px 2px; }
            th.sp { font-size: 7pt; }
            tr.note td { font-size: 7pt; }
          </style>
        </xsl:if>
      </head>
      <body>
        <h1>Result Sheet: Trip <xsl:value-of select="$first/seasontripnumber"/></h1>
        <p class="trip">
          <xsl:value-of select="$first/divisionname"/>
          <xsl:text> &#8212; </xsl:text>
          <xsl:value-of select="$first/tripdate"/>
          <xsl:if test="normalize-space($first/triplocation)">
            <xsl:text>, </xsl:text><xsl:value-of select="$first/triplocation"/>
          </xsl:if>
          <xsl:if test="normalize-space($first/interclubtripdesc)">
            <xsl:text> (</xsl:text><xsl:value-of select="$first/interclubtripdesc"/><xsl:text>)</xsl:text>
          </xsl:if>
        </p>
        <xsl:choose>
          <xsl:when test="$scores">
            <xsl:call-template name="scores"/>
          </xsl:when>
          <xsl:otherwise><p class="none">No anglers were entered for this trip.</p></xsl:otherwise>
        </xsl:choose>
        <!-- Winners and trophies side by side, so that they stay together. -->
        <table width="100%" cellspacing="0" class="pair">
          <tr>
            <td valign="top" width="50%" style="border: none; padding: 0 12px 0 0;"><xsl:call-template name="winners"/></td>
            <td valign="top" width="50%" style="border: none; padding: 0;"><xsl:call-template name="trophies"/></td>
          </tr>
        </table>
      </body>
    </html>
  </xsl:template>

  <!-- The anglers by grade (in report-position order), best net points first. -->
  <xsl:template name="scores">
    <table width="100%" cellspacing="0">
      <thead><tr>
        <th align="left">Angler</th>
        <th class="fix">Hcp</th>
        <xsl:call-template name="species-headings"/>
        <th class="fix">Fish</th>
        <th>Weight<br/><span class="small"><xsl:value-of select="$first/measurement"/></span></th>
        <th class="fix">Points</th>
        <th class="fix">Net</th>
        <th class="fix">Progress</th>
      </tr></thead>
      <xsl:for-each select="$scores[generate-id() = generate-id(key('grade', gradename)[1])]">
        <xsl:sort select="gradeposition" data-type="number"/>
        <xsl:sort select="gradename"/>
        <xsl:variable name="grade" select="gradename"/>
        <tr class="grade">
          <td colspan="{$columns + 7}">
            <xsl:choose>
              <xsl:when test="normalize-space($grade)"><xsl:value-of select="$grade"/></xsl:when>
              <xsl:otherwise>No grade</xsl:otherwise>
            </xsl:choose>
          </td>
        </tr>
        <xsl:for-each select="key('grade', $grade)">
          <xsl:sort select="calculatedpoints" data-type="number" order="descending"/>
          <tr>
            <td class="name"><xsl:value-of select="fullname"/></td>
            <td class="n"><xsl:value-of select="handicap"/></td>
            <xsl:call-template name="species-cells"/>
            <td class="n"><xsl:value-of select="totalnumberfish"/></td>
            <td class="n"><xsl:value-of select="totalweightfish"/></td>
            <td class="n"><xsl:value-of select="totaltrippoints"/></td>
            <td class="n"><b><xsl:value-of select="calculatedpoints"/></b></td>
            <td class="n"><xsl:value-of select="progresspoints"/></td>
          </tr>
          <xsl:if test="normalize-space(miscdetails)">
            <tr class="note">
              <td></td>
              <td colspan="{$columns + 6}"><xsl:value-of select="miscdetails"/></td>
            </tr>
          </xsl:if>
        </xsl:for-each>
      </xsl:for-each>
    </table>
    <p class="small">* a visitor (non-member); (L) ladies; (V) veteran. Each species shows the number caught over the heaviest
      weight. Net points are the trip points less penalty and handicap; the grade winners are decided by them.</p>
  </xsl:template>

  <xsl:template name="species-headings">
    <xsl:param name="k" select="1"/>
    <xsl:if test="$k &lt;= $columns">
      <xsl:variable name="nameName" select="concat('speciesname', $k)"/>
      <xsl:variable name="speciesName" select="normalize-space($first/*[name() = $nameName])"/>
      <!-- A one-word name never breaks inside the word; longer names break
           between their words. -->
      <th class="sp">
        <xsl:if test="not(contains($speciesName, ' '))"><xsl:attribute name="class">sp word</xsl:attribute></xsl:if>
        <xsl:value-of select="$speciesName"/>
      </th>
      <xsl:call-template name="species-headings">
        <xsl:with-param name="k" select="$k + 1"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- Each species column: the number caught over the heaviest weight. -->
  <xsl:template name="species-cells">
    <xsl:param name="k" select="1"/>
    <xsl:if test="$k &lt;= $columns">
      <!-- The field names are made once per column, not once per field
           of the row they are looked for in. -->
      <xsl:variable name="countName" select="concat('speciesnumbercaught', $k)"/>
      <xsl:variable name="weightName" select="concat('heaviestweight', $k)"/>
      <xsl:variable name="count" select="*[name() = $countName]"/>
      <td class="n">
        <xsl:if test="normalize-space($count)">
          <xsl:value-of select="$count"/>
          <xsl:if test="$count &gt; 0">
            <br/><span class="small"><xsl:value-of select="*[name() = $weightName]"/></span>
          </xsl:if>
        </xsl:if>
      </td>
      <xsl:call-template name="species-cells">
        <xsl:with-param name="k" select="$k + 1"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <xsl:template name="winners">
    <h2>Grade Winners</h2>
    <xsl:choose>
      <xsl:when test="$winners">
        <table cellspacing="0">
          <tr><th align="left">Grade</th><th align="left">Angler</th><th>Net Points</th></tr>
          <xsl:for-each select="$winners">
            <tr>
              <td><xsl:value-of select="gradename"/></td>
              <td><xsl:value-of select="fullname"/></td>
              <td class="n"><xsl:value-of select="calculatedpoints"/></td>
            </tr>
          </xsl:for-each>
        </table>
      </xsl:when>
      <xsl:otherwise><p class="none">No winners.</p></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="trophies">
    <h2>Trophies &amp; Awards</h2>
    <xsl:choose>
      <xsl:when test="$trophies[normalize-space(fullname) or normalize-space(trophyname)]">
        <table cellspacing="0">
          <tr><th align="left">Trophy</th><th align="left">Awarded to</th></tr>
          <xsl:for-each select="$trophies[normalize-space(fullname) or normalize-space(trophyname)]">
            <tr>
              <td><xsl:value-of select="trophyname"/></td>
              <td><xsl:value-of select="fullname"/></td>
            </tr>
          </xsl:for-each>
        </table>
      </xsl:when>
      <xsl:otherwise><p class="none">No trophies were awarded on this trip.</p></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
